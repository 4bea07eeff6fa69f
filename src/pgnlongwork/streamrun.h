#pragma once
// The command line's streaming run: games are read, checked, filtered, stripped and written part
// by part, so that memory does not grow with the inputs. Duplicates are told by a set of game
// keys; each part's games are written into the files the split options name, joining what
// earlier parts wrote there.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Whether the options let a run stream: no split whose files or order need every game first
// (rating parts span the ratings of all games, a date split and the player split sort the games
// inside each file).
bool optionsStream();

// Whether writing the output named after base could write over one of these input files (the
// same file, a link to it, another spelling of its path): the streaming run would then replace
// games it has not read yet, so such a run takes the whole-base path instead.
bool outputMayBeInput(const std::filesystem::path& base,
                      const std::vector<std::filesystem::path>& inputFiles);

// Starts a streaming run from an empty base: until it ends, the load jobs write their games into
// files named after base instead of merging them into the base.
// readAgain names the inputs given more than once: the places of their games kept the first
// time are remembered, so that a later reading drops exactly those as already loaded.
void beginStreamedRun(const std::filesystem::path& base,
                      const std::vector<std::filesystem::path>& readAgain = {});
// Called before each input is loaded: games of a file an earlier input read count as already
// loaded, as the whole-base run drops a place in a file it holds.
void startStreamedInput();
// Ends the run; answers how many games the filters kept back.
int32_t endStreamedRun();
