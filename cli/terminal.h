#pragma once
// The few facts about the terminal the tool needs, kept apart from the portable code.

#include <string_view>

// True when stderr is a terminal (on Windows: a console, not a file, pipe or NUL).
bool stderrIsTerminal();
// Columns of the terminal stderr writes to; 80 when it cannot be told.
int terminalColumns();
// Writes a UTF-8 text to stderr at once, without buffering. A Windows console gets it as UTF-16,
// so Cyrillic shows whatever the console's code page; files and pipes get the UTF-8 bytes.
void writeStderr(const char* text, int length);
inline void writeStderr(std::string_view text) {
  writeStderr(text.data(), static_cast<int>(text.size()));
}

// The first interrupt (Ctrl-C, and Ctrl-Break on Windows) calls onFirst; any later one ends the
// program at once with status, after ending the progress line.
void installInterruptHandler(void (*onFirst)(), int status);
