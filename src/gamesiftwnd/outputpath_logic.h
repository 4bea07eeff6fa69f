#pragma once
// The output path of the panel's bottom row: what committing a typed or chosen path does.

#include <string>

// Takes text as the new outputPath; true when the options must be reset first (the path changed
// and automatic reset is on). The caller resets before the path changes.
bool outputPathNeedsReset(const std::u16string& text);
void setOutputPath(const std::u16string& text);

// A name chosen in the save dialog without its extension: cut at the last '.' when no '\' or '/'
// follows it.
std::u16string withoutExtension(const std::u16string& name);
