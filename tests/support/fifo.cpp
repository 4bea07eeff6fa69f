#include "support/fifo.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

TFifo::TFifo(std::filesystem::path path) : where(std::move(path)) {
  mkfifo(where.c_str(), 0666);
}

TFifo::~TFifo() {
  std::error_code ignored;
  std::filesystem::remove(where, ignored);
}

bool TFifo::feed(std::string_view text, int patienceMs) {
  // Without a reader the open fails at once rather than blocking: try until the program opens it.
  int writer = -1;
  for (int waited = 0; writer < 0 && waited < patienceMs; waited += 10) {
    writer = open(where.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (writer < 0 && errno != ENXIO) return false;
    if (writer < 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (writer < 0) return false;
  fcntl(writer, F_SETFL, fcntl(writer, F_GETFL) & ~O_NONBLOCK);
  bool whole = true;
  for (size_t done = 0; done < text.size() && whole;) {
    const ssize_t put = write(writer, text.data() + done, text.size() - done);
    whole = put > 0;
    if (whole) done += static_cast<size_t>(put);
  }
  close(writer);
  return whole;
}
