#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/hostlock.h"

namespace {

class TCriticalSectionLock : public TRecursiveLock {
 public:
  TCriticalSectionLock() { InitializeCriticalSection(&section); }
  ~TCriticalSectionLock() override { DeleteCriticalSection(&section); }
  TCriticalSectionLock(const TCriticalSectionLock&) = delete;
  TCriticalSectionLock& operator=(const TCriticalSectionLock&) = delete;
  void enter() override { EnterCriticalSection(&section); }
  void leave() override { LeaveCriticalSection(&section); }

 private:
  CRITICAL_SECTION section;
};

// The host's critical section: the host made it and deletes it, we only enter and leave.
class THostCriticalSection : public TRecursiveLock {
 public:
  explicit THostCriticalSection(void* section) : section(static_cast<CRITICAL_SECTION*>(section)) {}
  void enter() override { EnterCriticalSection(section); }
  void leave() override { LeaveCriticalSection(section); }

 private:
  CRITICAL_SECTION* section;
};

}  // namespace

TRecursiveLock* newRecursiveLock() {
  return new TCriticalSectionLock;
}

TRecursiveLock* wrapHostLock(void* criticalSection) {
  if (!criticalSection) return nullptr;
  return new THostCriticalSection(criticalSection);
}
