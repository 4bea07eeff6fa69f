#pragma once
// The output base chosen in the save dialog: a path without the extension the dialog added.

#include <string>
#include <string_view>

// Cuts the name at its last '.' when that comes after every '\' and '/'.
std::u16string outputBaseOf(std::u16string_view fileName);
