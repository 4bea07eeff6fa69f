#pragma once
// The menu commands: handlers the host calls when their item is chosen.

#include "plugcommon/hostapi.h"

void VORLEN_CALL TransferAllAndShow();
void VORLEN_CALL TransferAll();
void VORLEN_CALL TransferCurrentAndShow();
void VORLEN_CALL TransferCurrent();
void VORLEN_CALL OpenPgnFile();
void VORLEN_CALL BatchFromFolder();
void VORLEN_CALL RenamePlayer();
void VORLEN_CALL RenameTournament();
void VORLEN_CALL RenameSite();
void VORLEN_CALL DeleteSelected();
void VORLEN_CALL DeleteAll();
void VORLEN_CALL ResetSettings();
void VORLEN_CALL ToggleAutoReset();

// The batch options back to their defaults, shown by every option control.
void resetSettings();
