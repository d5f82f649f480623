// Thin wrappers over the Windows user-interface calls that the windows share.
#pragma once

#include <windows.h>

// Every dialog of the program ends with this result; nobody reads it.
constexpr INT_PTR kDialogResult = 51;

// The main window's exact title; a second start looks for it.
constexpr const char kMainWindowTitle[] = "Nicset v1.0";

// Gives `window` the program icon, small and big.
void SetDialogIcons(HWND window);
