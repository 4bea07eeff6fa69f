#include <unistd.h>

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
