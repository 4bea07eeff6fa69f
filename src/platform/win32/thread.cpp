#include <windows.h>

#include "platform/platform.h"

namespace {

DWORD WINAPI runBody(LPVOID body) {
  reinterpret_cast<void (*)()>(body)();
  return 0;
}

}  // namespace

TThreadHandle startThread(void (*body)()) {
  return CreateThread(nullptr, 0, runBody, reinterpret_cast<LPVOID>(body), 0, nullptr);
}

void joinThread(TThreadHandle thread) {
  if (!thread) return;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}
