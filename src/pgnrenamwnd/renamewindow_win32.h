#pragma once
// The rename window: one value of a tag replaced by another in every game of the base.

#include <cstdint>

// tag: kTagEvent, kTagSite, or kTagWhite for players (White and Black).
void openRenameWindow(int32_t tag);
