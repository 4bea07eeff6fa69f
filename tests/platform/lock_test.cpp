#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "platform/platform.h"

TEST(RecursiveLock, SameThreadMayTakeItAgain) {
  std::unique_ptr<TRecursiveLock> lock(newRecursiveLock());
  TLockHold outer(*lock);
  TLockHold inner(*lock);
  SUCCEED();
}

TEST(RecursiveLock, KeepsOtherThreadsOutWhileHeld) {
  std::unique_ptr<TRecursiveLock> lock(newRecursiveLock());
  int counter = 0;
  auto addMany = [&] {
    for (int i = 0; i < 100000; ++i) {
      TLockHold hold(*lock);
      ++counter;
    }
  };
  std::thread other(addMany);
  addMany();
  other.join();
  EXPECT_EQ(counter, 200000);
}
