#pragma once
// The host-drawn check box: drawn from the plug-in's record, flipped on a click, then the
// plug-in's handler is told.

#include "plugcommon/hostapi.h"

void registerOptionBoxClass();
void VORLEN_CALL optionControlService(TOptionBox* box, intptr_t left, intptr_t top, void* parent);
