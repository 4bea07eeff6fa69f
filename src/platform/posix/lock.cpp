#include <mutex>

#include "platform/platform.h"

namespace {

class TMutexLock : public TRecursiveLock {
 public:
  void enter() override { mutex.lock(); }
  void leave() override { mutex.unlock(); }

 private:
  std::recursive_mutex mutex;
};

}  // namespace

TRecursiveLock* newRecursiveLock() {
  return new TMutexLock;
}
