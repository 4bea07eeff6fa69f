#include "cli/terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

constexpr int kDefaultColumns = 80;

bool stderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

int terminalColumns() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
    return info.srWindow.Right - info.srWindow.Left + 1;
#else
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  return kDefaultColumns;
}

void writeStderr(const char* text, int length) {
#ifdef _WIN32
  std::fwrite(text, 1, static_cast<size_t>(length), stderr);
  std::fflush(stderr);
#else
  // write() is safe inside a signal handler, where the second Ctrl-C ends the line.
  while (length > 0) {
    const ssize_t done = write(STDERR_FILENO, text, static_cast<size_t>(length));
    if (done <= 0) return;
    text += done;
    length -= static_cast<int>(done);
  }
#endif
}
