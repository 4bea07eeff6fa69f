#pragma once
// The output run, job 2: the chosen games get their moves, are sorted so that games of one file
// stand together, filtered, and written into the files the split options name.

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "Upgnread/splitting.h"
#include "pgnlongwork/formatahead.h"

// The question asked when exactly one game is ticked.
enum class TAnswer { yes, no, cancel };
extern const std::u16string kChooseOneCaption;
extern const std::u16string kChooseOneQuestion;

// Fills workList with the ticked games in row order, or with every row when none is ticked. With
// exactly one tick askAboutOne decides: yes that game, no every row, cancel none (no run). The
// caller refreshes the panel before asking. Runs on the interface thread.
void chooseGames(const std::function<TAnswer()>& askAboutOne);

// When set, the output run writes its text to standard output instead of files (the command
// line's "-o -"); the options then split nothing.
extern bool outputToStandardOutput;

// The stages of job 2 (5, 4, 6, 3) over workList, writing files named after base.
void runOutput(const std::filesystem::path& base);

// What a run that writes its games part by part, as they are read, keeps from one part to the
// next.
struct TStreamedOutput {
  std::set<std::filesystem::path::string_type> written;  // a later part's games join these files
  TCutNames cutNames;
  int32_t filteredOut = 0;
  TFormattedGames formatted;  // its room kept from part to part
};
// Every game of the base, in base order, sorted, filtered and written into the files named after
// base, joining what earlier parts wrote there. No stage is entered and currentFile is left alone:
// the next part may be read meanwhile, and its progress stays on show.
void writeStreamedPart(const std::filesystem::path& base, TStreamedOutput& output);

// Writes text as a file: appended when appendToExisting is on (created when missing), else
// replacing it. A failed open or write is counted in writesFailed and answers false.
bool writeText(const std::filesystem::path& path, std::string_view text);
bool writeText(const std::filesystem::path& path, std::string_view text, bool append);
