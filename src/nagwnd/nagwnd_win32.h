#pragma once
// The annotation-mark window "Выбор меток": eleven groups of marks to keep, saved into keptNags.

#include <windows.h>

// Runs the window over owner; true only when it was closed with "Сохранить".
bool runMarkWindowOver(HWND owner);
