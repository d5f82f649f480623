#include "app/Splash.h"

#include "resource.h"
#include "ui/MainWindow.h"
#include "ui/UiServices.h"

INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDialogIcons(dialog);
            SetTimer(dialog, kSplashTimerId, kSplashMilliseconds, nullptr);
            return FALSE;
        case WM_TIMER:
            KillTimer(dialog, kSplashTimerId);
            EndDialog(dialog, kDialogResult);
            // One main window on the desktop is enough: this process just ends.
            if (FindWindowA(nullptr, kMainWindowTitle) != nullptr) return 32;
            // The main window's whole life runs inside this handler.
            DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_MAIN), GetDesktopWindow(), MainDialogProc,
                            0);
            return 0;
        default:
            // Enter, Escape and the close command are left alone: the splash
            // cannot be cut short.
            return 0;
    }
}
