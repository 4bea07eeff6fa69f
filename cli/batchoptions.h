#pragma once
// The batch option set on the command line: a long option per option (and its opposite for each
// switch). What the command line gives is kept as edits and applied after any settings file, so
// the command line wins over the file.

#include <functional>
#include <vector>

namespace CLI {
class App;
}

using TOptionEdits = std::vector<std::function<void()>>;

// Adds every batch option to app; parsing appends one edit per option given.
void addBatchOptions(CLI::App& app, TOptionEdits& edits);

void applyEdits(const TOptionEdits& edits);

// The player filters also find their names written in the other encoding (UTF-8 or the name
// code page), so that a name typed once matches files of both kinds. Called once the options
// and the name code page are set.
void setPlayerSpellings();
