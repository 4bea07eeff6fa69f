#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/platform.h"

namespace {

class TConditionLock : public TWaitLock {
 public:
  void enter() override { mutex.lock(); }
  void leave() override { mutex.unlock(); }
  void wait() override { condition.wait(mutex); }
  void waitUpTo(int milliseconds) override {
    condition.wait_for(mutex, std::chrono::milliseconds(milliseconds));
  }
  void wakeAll() override { condition.notify_all(); }

 private:
  std::recursive_mutex mutex;
  std::condition_variable_any condition;
};

}  // namespace

TWaitLock* newWaitLock() {
  return new TConditionLock;
}
