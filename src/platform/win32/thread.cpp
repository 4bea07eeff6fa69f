#include <windows.h>

#include "platform/platform.h"

namespace {

DWORD WINAPI runBody(LPVOID body) {
  reinterpret_cast<void (*)()>(body)();
  return 0;
}

// The body and its argument travel to the new thread in one block, freed there.
struct TBodyWithArgument {
  void (*body)(void*);
  void* argument;
};

DWORD WINAPI runBodyWithArgument(LPVOID block) {
  const TBodyWithArgument call = *static_cast<TBodyWithArgument*>(block);
  delete static_cast<TBodyWithArgument*>(block);
  call.body(call.argument);
  return 0;
}

}  // namespace

TThreadHandle startThread(void (*body)(void*), void* argument) {
  auto* block = new TBodyWithArgument{body, argument};
  HANDLE thread = CreateThread(nullptr, 0, runBodyWithArgument, block, 0, nullptr);
  if (!thread) delete block;
  return thread;
}

int processorCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? static_cast<int>(info.dwNumberOfProcessors) : 1;
}

TThreadHandle startThread(void (*body)()) {
  return CreateThread(nullptr, 0, runBody, reinterpret_cast<LPVOID>(body), 0, nullptr);
}

void joinThread(TThreadHandle thread) {
  if (!thread) return;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}
