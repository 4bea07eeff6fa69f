#include <windows.h>

#include "platform/platform.h"

namespace {

class TConditionLock : public TWaitLock {
 public:
  TConditionLock() {
    InitializeCriticalSection(&section);
    InitializeConditionVariable(&condition);
  }
  ~TConditionLock() override { DeleteCriticalSection(&section); }
  TConditionLock(const TConditionLock&) = delete;
  TConditionLock& operator=(const TConditionLock&) = delete;
  void enter() override { EnterCriticalSection(&section); }
  void leave() override { LeaveCriticalSection(&section); }
  void wait() override { SleepConditionVariableCS(&condition, &section, INFINITE); }
  void waitUpTo(int milliseconds) override {
    SleepConditionVariableCS(&condition, &section, static_cast<DWORD>(milliseconds));
  }
  void wakeAll() override { WakeAllConditionVariable(&condition); }

 private:
  CRITICAL_SECTION section;
  CONDITION_VARIABLE condition;
};

}  // namespace

TWaitLock* newWaitLock() {
  return new TConditionLock;
}
