#include <dlfcn.h>

#include "platform/platform.h"

// Resolved at once and kept to itself: what it brings cannot clash with the program's own names.
void* loadSharedLibrary(const char* name) {
  return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

TLibraryFunction sharedLibraryFunction(void* library, const char* name) {
  return library ? reinterpret_cast<TLibraryFunction>(dlsym(library, name)) : nullptr;
}
