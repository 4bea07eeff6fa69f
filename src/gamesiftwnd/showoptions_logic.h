#pragma once
// Putting the option set into the settings controls. A value no control can show (from a damaged
// or foreign settings file) is corrected first, and the corrected value is the one kept, so that
// what the pages show is what the next run uses and what the next save writes.

// Corrects the options and sets every settings field's text and index and every box's state.
void putOptionsIntoControls();

// The defaults, shown.
void resetOptionsInControls();
