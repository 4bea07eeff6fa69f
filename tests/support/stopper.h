#pragma once
// Stops a job at a chosen point: the worker calls the observer on its own thread, so the stop
// lands exactly there and not wherever a polling thread happens to see the stage.

#include <cstdint>
#include <memory>

#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"

// Asks for a stop when the worker enters `at` for the `occurrence`-th time (1 = the first), or,
// with item >= 0, just before it writes the game at that position.
inline void stopWhen(uint8_t at, int occurrence = 1, int32_t item = -1) {
  auto seen = std::make_shared<int>(0);
  workerObserver = [=](uint8_t stageNow, int32_t itemNow) {
    if (stageNow == at && itemNow == item && ++*seen == occurrence) stopRequested = true;
  };
}
