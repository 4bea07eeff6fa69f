#include <windows.h>

#include <algorithm>

#include "platform/platform.h"

namespace {

struct TOpenRequest {
  DWORD access;
  DWORD share;
  DWORD disposition;
};

TOpenRequest openRequest(TOpenMode mode) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;
  switch (mode) {
    case TOpenMode::readExclusive:
      return {GENERIC_READ, 0, OPEN_EXISTING};
    case TOpenMode::readShared:
      return {GENERIC_READ, kShareAll, OPEN_EXISTING};
    case TOpenMode::readWriteShared:
      return {GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_EXISTING};
    case TOpenMode::createShared:
      return {GENERIC_READ | GENERIC_WRITE, kShareAll, CREATE_ALWAYS};
    case TOpenMode::createExclusive:
      return {GENERIC_WRITE, 0, CREATE_ALWAYS};
    case TOpenMode::appendExclusive:
      return {GENERIC_WRITE, 0, OPEN_ALWAYS};
  }
  return {GENERIC_READ, 0, OPEN_EXISTING};
}

HANDLE asHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// ReadFile and WriteFile move at most a DWORD's worth per call.
constexpr int64_t kChunk = int64_t{1} << 30;

}  // namespace

bool TOsFile::open(const std::filesystem::path& path, TOpenMode mode) {
  close();
  TOpenRequest request = openRequest(mode);
  HANDLE opened = CreateFileW(path.c_str(), request.access, request.share, nullptr,
                              request.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  handle = reinterpret_cast<intptr_t>(opened);
  if (mode == TOpenMode::appendExclusive) {
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(opened, zero, nullptr, FILE_END)) {
      close();
      return false;
    }
  }
  return true;
}

bool TOsFile::openStandard(bool forReading) {
  close();
  const HANDLE own = GetStdHandle(forReading ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
  HANDLE copy = INVALID_HANDLE_VALUE;
  if (own == nullptr || own == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &copy, 0, FALSE,
                       DUPLICATE_SAME_ACCESS))
    return false;
  handle = reinterpret_cast<intptr_t>(copy);
  return true;
}

void TOsFile::close() {
  if (!isOpen()) return;
  CloseHandle(asHandle(handle));
  handle = kClosed;
}

int64_t TOsFile::read(void* data, int64_t count) {
  if (!isOpen() || count < 0) return -1;
  int64_t done = 0;
  while (done < count) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min(count - done, kChunk));
    if (!ReadFile(asHandle(handle), static_cast<char*>(data) + done, want, &got, nullptr)) {
      // A pipe whose writer is gone has simply ended.
      if (GetLastError() == ERROR_BROKEN_PIPE) break;
      return done > 0 ? done : -1;
    }
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
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min(allowed - done, kChunk));
    if (!WriteFile(asHandle(handle), static_cast<const char*>(data) + done, want, &put, nullptr) ||
        put == 0)
      return done > 0 ? done : -1;
    done += put;
  }
  if (done < count) SetLastError(ERROR_DISK_FULL);
  return done < count && done == 0 ? -1 : done;
}

bool TOsFile::truncate(int64_t size) {
  LARGE_INTEGER to;
  to.QuadPart = size;
  return isOpen() && size >= 0 && SetFilePointerEx(asHandle(handle), to, nullptr, FILE_BEGIN) &&
         SetEndOfFile(asHandle(handle));
}

bool TOsFile::seek(int64_t position) {
  if (!isOpen() || position < 0) return false;
  LARGE_INTEGER to;
  to.QuadPart = position;
  return SetFilePointerEx(asHandle(handle), to, nullptr, FILE_BEGIN) != 0;
}

int64_t TOsFile::position() {
  if (!isOpen()) return -1;
  LARGE_INTEGER zero{}, now{};
  if (!SetFilePointerEx(asHandle(handle), zero, &now, FILE_CURRENT)) return -1;
  return now.QuadPart;
}

int64_t TOsFile::size() {
  LARGE_INTEGER bytes{};
  if (!isOpen() || !GetFileSizeEx(asHandle(handle), &bytes)) return -1;
  return bytes.QuadPart;
}

bool TOsFile::isStream() {
  return isOpen() && GetFileType(asHandle(handle)) != FILE_TYPE_DISK;
}

int64_t fileSize(const std::filesystem::path& path) {
  TOsFile file;
  if (!file.open(path, TOpenMode::readShared)) return -1;
  return file.size();
}

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}
