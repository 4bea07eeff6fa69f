#pragma once
// The batch run of the command line: checks every path, loads the inputs one job each, writes
// the game base in one output run and reports. Answers the exit status.

#include "cli/commandline.h"

int runBatch(const TCommandLine& line);
