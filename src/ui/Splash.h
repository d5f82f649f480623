// The splash picture, dialog 118, shown for three seconds at start-up.
#pragma once

#include <windows.h>

#include <functional>

// Shows the splash modally over the desktop. When its timer fires, the splash
// is told to end and `afterSplash` runs inside that timer message, so a window
// it runs nests in the splash's modal loop; what it returns is the handler's
// result. Returns when the splash has ended.
void ShowSplash(HINSTANCE instance, const std::function<INT_PTR()>& afterSplash);
