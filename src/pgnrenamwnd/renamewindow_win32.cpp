#include "pgnrenamwnd/renamewindow_win32.h"

void openRenameWindow(int32_t) {}
