// The DPI a window is drawn at: the Win32 half of DpiScale.h.
#pragma once

#include <windows.h>

#include "ui/DpiScale.h"

// The DPI of the monitor `window` is on, where Windows knows one per window
// (10 1607 and later), else the screen's; 96 when neither answers.
unsigned WindowDpi(HWND window);
