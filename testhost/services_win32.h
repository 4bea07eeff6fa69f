#pragma once
// The lookup function the host hands to the plug-in, and the record of what the plug-in asked.

#include <cstdint>
#include <string>
#include <vector>

#include "plugcommon/hostapi.h"

// False makes service 48 answer 0: a host without plug-in support.
extern bool hostSupportsPlugins;

intptr_t VORLEN_CALL hostLookup(intptr_t service);

// What the plug-in asked, in order: "48", "10002/20", "register 9/0 handler", ...
void noteSecondLevel(intptr_t service, intptr_t value);
void noteEvent(const std::string& event);
const std::vector<std::string>& serviceLog();
// Marks the end of the start entry: the start dump shows the log up to here.
void markStartReturned();
size_t startLogLength();
