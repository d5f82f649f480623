#include "ui/Splash.h"

#include "resource.h"
#include "ui/DpiScale_win.h"
#include "ui/UiServices.h"

namespace {

constexpr UINT_PTR kSplashTimerId = 275;
constexpr UINT kSplashMilliseconds = 3000;

// What runs when the splash ends; set while the splash is shown.
const std::function<INT_PTR()>* g_afterSplash = nullptr;

INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDialogIcons(dialog, WindowDpi(dialog));
            SetTimer(dialog, kSplashTimerId, kSplashMilliseconds, nullptr);
            return FALSE;
        case WM_TIMER:
            KillTimer(dialog, kSplashTimerId);
            EndDialog(dialog, kDialogResult);
            return g_afterSplash != nullptr ? (*g_afterSplash)() : 0;
        case WM_DESTROY:
            ReleaseDialogIcons(dialog);
            return FALSE;
        default:
            // Enter, Escape and the close command are left alone: the splash
            // cannot be cut short.
            return 0;
    }
}

}  // namespace

void ShowSplash(HINSTANCE instance, const std::function<INT_PTR()>& afterSplash) {
    g_afterSplash = &afterSplash;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SPLASH), GetDesktopWindow(), SplashDialogProc,
                    0);
    g_afterSplash = nullptr;
}
