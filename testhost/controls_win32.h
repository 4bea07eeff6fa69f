#pragma once
// The "controls" dump section: every child window of the plug-in's panel and of the plug-in's
// modal windows, and the pop-ups the panel owns, so scenarios find controls by text, not pixels.

#include <string>

std::string controlsSection();
