// gamesift: the batch processor on the command line.

#include "cli/batchrun.h"
#include "cli/commandline.h"
#include "cli/mkeco.h"
#include "cli/report.h"
#include "cli/terminal.h"
#include "cli/textpaths.h"

int main(int argc, char** argv) {
  TCommandLine line;
  const TParseOutcome parsed = parseCommandLine(programArguments(argc, argv), line);
  if (!parsed.run) return parsed.status;
  if (line.mkeco) {
    if (!line.inputs.empty()) {
      writeStderr("gamesift: mkeco takes one OPENINGS file (see gamesift mkeco --help)\n");
      return kExitUsage;
    }
    return runMkeco(line.openings, line.ecoOutput, line.quiet);
  }
  return runBatch(line);
}
