#pragma once
// Command identifiers: those the plug-in registers with handlers and those the host keeps for
// itself (menu items, panel show commands).

#include <cstdint>

#include "plugcommon/hostapi.h"

intptr_t VORLEN_CALL registerCommandService(const TCommandRecord* record, TVorlenHandler handler);

// A fresh identifier for the host's own use.
int32_t newCommandId();
// Calls the handler registered for id; false when id has none (unknown, or registered without).
bool runRegisteredCommand(int32_t id);
int32_t registeredCommandCount();
