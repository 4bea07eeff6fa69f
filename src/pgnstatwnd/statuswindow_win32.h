#pragma once
// The status window shown while a job runs: stage, file, progress and the stop button.

#include <cstdint>

// Runs job `mode` on the worker while the host's modal status window shows it; returns when the
// job has ended (stage 8), also when the window could not open.
void runJobWithStatus(uint8_t mode);
