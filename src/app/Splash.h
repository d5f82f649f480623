// The splash picture, dialog 118, which also runs the main window.
#pragma once

#include <windows.h>

constexpr UINT_PTR kSplashTimerId = 275;
constexpr UINT kSplashMilliseconds = 3000;

INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
