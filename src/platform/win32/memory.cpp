#include <windows.h>

#include <algorithm>

#include "platform/platform.h"

uint64_t availableMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  // A 32-bit process runs out of address space long before a machine runs out of memory.
  return std::min<uint64_t>(status.ullAvailPhys, status.ullAvailVirtual);
}

// The process heap keeps freed blocks for reuse by itself; a plug-in must not retune its host's.
void keepFreedMemory(int64_t) {}
