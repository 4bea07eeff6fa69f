#pragma once
// An output file may be one of the inputs (the same name, a link to it, another spelling of its
// path). The lean games read from it would be read again from a file this run has already
// replaced or appended to, and be lost: they get their moves back before the first byte is
// written, or nothing is written.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A game's journal and the text read again for it, against the bytes of its game text: measured
// over the games of real collections, with room to spare.
constexpr uint64_t kJournalBytesPerTextByte = 10;

// What the run may still take; the platform's availableMemory, which tests replace.
extern uint64_t (*memoryLeftForRun)();

// Reads the moves of every lean game of the base whose file is one of outputs (games of the
// base not written this run too: their file is about to change under them). Answers false,
// with the problem noted and counted as a failed write, when those moves would not fit in
// memory, or when the run was stopped meanwhile; the output must then not be written.
bool holdGamesOfWrittenInputs(const std::vector<std::filesystem::path>& outputs);

// The problem line of an input too large to be held before it is written over.
std::string inputTooLargeText(const std::filesystem::path& input, uint64_t needed,
                              uint64_t available);
