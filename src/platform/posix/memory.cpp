#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {

// The kernel's own estimate, which counts the page cache it would give up; 0 when it has none.
uint64_t memAvailable() {
  std::FILE* info = std::fopen("/proc/meminfo", "r");
  if (!info) return 0;
  char line[256];
  unsigned long long kilobytes = 0;
  while (std::fgets(line, sizeof line, info))
    if (std::sscanf(line, "MemAvailable: %llu kB", &kilobytes) == 1) break;
  std::fclose(info);
  return static_cast<uint64_t>(kilobytes) * 1024;
}

}  // namespace

uint64_t availableMemory() {
  if (const uint64_t available = memAvailable()) return available;
  const long pages = ::sysconf(_SC_AVPHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize)
                                   : 0;
}

void keepFreedMemory(int64_t bytes) {
#if defined(__GLIBC__)
  if (bytes > 0) ::mallopt(M_TOP_PAD, static_cast<int>(std::min<int64_t>(bytes, INT32_MAX)));
#else
  (void)bytes;
#endif
}
