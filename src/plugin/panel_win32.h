#pragma once
// The panel window: the message and paint procedures that the host calls for it.

#include "plugcommon/hostapi.h"

intptr_t VORLEN_CALL panelMessageProc(void* window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam);
void VORLEN_CALL panelPaintProc(void* window, void* deviceContext);

// Bring the panel's controls up to date after the settings changed under them.
void showOutputPath();  // the output path edit shows outputPath
void showOptions();     // every option control shows its option
