#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace {

int openFlags(TOpenMode mode) {
  switch (mode) {
    case TOpenMode::readExclusive:
    case TOpenMode::readShared:
      return O_RDONLY;
    case TOpenMode::readWriteShared:
      return O_RDWR;
    case TOpenMode::createShared:
      return O_RDWR | O_CREAT | O_TRUNC;
    case TOpenMode::createExclusive:
      return O_WRONLY | O_CREAT | O_TRUNC;
    case TOpenMode::appendExclusive:
      return O_WRONLY | O_CREAT | O_APPEND;
  }
  return O_RDONLY;
}

// A single read or write call moves at most this much, whatever the system's own limit.
constexpr int64_t kChunk = int64_t{1} << 30;

}  // namespace

bool TOsFile::open(const std::filesystem::path& path, TOpenMode mode) {
  close();
  int fd;
  do {
    fd = ::open(path.c_str(), openFlags(mode) | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat info;
  // A folder opens for reading on POSIX but is no file to read.
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  handle = fd;
  return true;
}

bool TOsFile::openStandard(bool forReading) {
  close();
  const int fd = fcntl(forReading ? STDIN_FILENO : STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return false;
  handle = fd;
  return true;
}

void TOsFile::close() {
  if (!isOpen()) return;
  ::close(static_cast<int>(handle));
  handle = kClosed;
}

int64_t TOsFile::read(void* data, int64_t count) {
  if (!isOpen() || count < 0) return -1;
  int64_t done = 0;
  while (done < count) {
    ssize_t got = ::read(static_cast<int>(handle), static_cast<char*>(data) + done,
                         static_cast<size_t>(std::min(count - done, kChunk)));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return done > 0 ? done : -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

int64_t TOsFile::write(const void* data, int64_t count) {
  if (!isOpen() || count < 0) return -1;
  const int64_t allowed = allowedWriteBytes(count);
  int64_t done = 0;
  while (done < allowed) {
    ssize_t put = ::write(static_cast<int>(handle), static_cast<const char*>(data) + done,
                          static_cast<size_t>(std::min(allowed - done, kChunk)));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return done > 0 ? done : -1;
    done += put;
  }
  if (done < count) errno = ENOSPC;
  return done < count && done == 0 ? -1 : done;
}

bool TOsFile::truncate(int64_t size) {
  return isOpen() && size >= 0 &&
         ftruncate(static_cast<int>(handle), static_cast<off_t>(size)) == 0;
}

bool TOsFile::seek(int64_t position) {
  if (!isOpen() || position < 0) return false;
  return lseek(static_cast<int>(handle), static_cast<off_t>(position), SEEK_SET) == position;
}

int64_t TOsFile::position() {
  if (!isOpen()) return -1;
  return lseek(static_cast<int>(handle), 0, SEEK_CUR);
}

int64_t TOsFile::size() {
  struct stat info;
  if (!isOpen() || fstat(static_cast<int>(handle), &info) != 0) return -1;
  return info.st_size;
}

bool TOsFile::isStream() {
  struct stat info;
  return isOpen() && fstat(static_cast<int>(handle), &info) == 0 && !S_ISREG(info.st_mode);
}

int64_t fileSize(const std::filesystem::path& path) {
  TOsFile file;
  if (!file.open(path, TOpenMode::readShared)) return -1;
  return file.size();
}

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}
