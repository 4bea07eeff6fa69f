#include <algorithm>
#include <system_error>
#include <thread>

#include "platform/platform.h"

TThreadHandle startThread(void (*body)()) {
  try {
    return new std::thread(body);
  } catch (const std::system_error&) {
    return nullptr;  // the system has no thread to spare: the caller runs no job
  }
}

TThreadHandle startThread(void (*body)(void*), void* argument) {
  try {
    return new std::thread(body, argument);
  } catch (const std::system_error&) {
    return nullptr;
  }
}

int processorCount() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void joinThread(TThreadHandle thread) {
  if (!thread) return;
  auto* running = static_cast<std::thread*>(thread);
  if (running->joinable()) running->join();
  delete running;
}
