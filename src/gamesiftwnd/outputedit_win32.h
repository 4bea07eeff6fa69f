#pragma once
// The output path edit: Enter commits, Escape restores, losing the focus commits.

#include <windows.h>

// Puts the panel's procedure in front of the edit's own.
void attachOutputEdit(HWND edit);
// Takes the edit's pending text as outputPath (resetting the options first when that is due).
// Called before anything starts a job, so a job never runs with an old path.
void commitOutputEdit();
