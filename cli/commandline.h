#pragma once
// The command line of gamesift: the batch run over inputs, and the mkeco subcommand.

#include <string>
#include <vector>

#include "cli/batchoptions.h"

struct TCommandLine {
  // The batch run
  std::vector<std::string> inputs;
  std::string output = "./output";
  std::string settingsFile;
  std::string saveSettingsFile;
  std::string ecoBaseFile;
  bool quiet = false;
  bool verbose = false;  // list each stretch of text skipped and each bad game
  TOptionEdits edits;
  // gamesift mkeco OPENINGS -o BASE
  bool mkeco = false;
  std::string openings;
  std::string ecoOutput = "plugins/ecos.dat";
};

// What parsing decided: go on and run, or end the program with a status.
struct TParseOutcome {
  bool run = false;
  int status = 0;
};

// Parses the arguments into line. --help prints the help on stdout (status 0); a usage error
// prints one line naming the problem and pointing to --help on stderr (status 2).
TParseOutcome parseCommandLine(int argc, const char* const* argv, TCommandLine& line);
