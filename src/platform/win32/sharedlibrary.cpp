#include <windows.h>

#include "platform/platform.h"

void* loadSharedLibrary(const char* name) {
  return reinterpret_cast<void*>(LoadLibraryA(name));
}

TLibraryFunction sharedLibraryFunction(void* library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<TLibraryFunction>(GetProcAddress(static_cast<HMODULE>(library), name));
}
