#pragma once
// The modal windows the host runs for the plug-in, and the host's default message handling.

#include <cstdint>

#include "plugcommon/hostapi.h"

intptr_t VORLEN_CALL modalWindowService(const char16_t* caption, intptr_t left, intptr_t top,
                                        intptr_t width, intptr_t height, void* owner,
                                        TVorlenWindowProc messageProc, TVorlenPaintProc paintProc);
intptr_t VORLEN_CALL defaultProcService(void* window, uint32_t message, uintptr_t wParam,
                                        intptr_t lParam);

// How many modal windows run at the moment (they may nest).
int32_t modalDepth();
