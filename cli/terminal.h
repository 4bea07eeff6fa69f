#pragma once
// The few facts about the terminal the progress line needs, kept apart from the portable code.

// True when stderr is a terminal.
bool stderrIsTerminal();
// Columns of the terminal stderr writes to; 80 when it cannot be told.
int terminalColumns();
// Writes a text to stderr at once, without buffering.
void writeStderr(const char* text, int length);
