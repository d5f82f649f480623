#include "ui/Splash.h"

#include "resource.h"
#include "ui/DpiScale_win.h"
#include "ui/UiServices.h"

namespace {

constexpr UINT_PTR kSplashTimerId = 275;
constexpr UINT kSplashMilliseconds = 3000;

// What runs when the splash ends; set while the splash is shown.
const std::function<INT_PTR()>* g_afterSplash = nullptr;
// The twice-size picture, shown at high DPI until the splash goes.
HBITMAP g_largePicture = nullptr;

// The window and its picture control are in dialog units, which follow the
// font, and the picture is in pixels: where they differ, the window takes
// the picture's size about the same centre, so the picture fills it. At 96
// DPI they agree and nothing moves.
void FitWindowToPicture(HWND dialog, HWND control, HBITMAP picture) {
    BITMAP size = {};
    if (picture == nullptr || GetObjectA(picture, sizeof size, &size) == 0) return;
    RECT outer = {};
    RECT client = {};
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    if (client.right == size.bmWidth && client.bottom == size.bmHeight) return;
    const PixelRect fitted =
        FitClientArea({outer.left, outer.top, outer.right, outer.bottom}, client.right,
                      client.bottom, size.bmWidth, size.bmHeight);
    SetWindowPos(control, nullptr, 0, 0, size.bmWidth, size.bmHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(dialog, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// From 144 DPI on, the picture of twice the size; below, the template's.
void ShowPictureForDpi(HWND dialog) {
    HWND control = GetWindow(dialog, GW_CHILD);  // the splash's one control
    if (control == nullptr) return;
    if (UsesDoubleSizeSplash(WindowDpi(dialog))) {
        g_largePicture = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                         MAKEINTRESOURCEA(IDB_SPLASH_LARGE),
                                                         IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        if (g_largePicture != nullptr) {
            // The control hands back the picture it had, which is now ours.
            if (HGDIOBJ templatePicture = reinterpret_cast<HGDIOBJ>(SendMessageA(
                    control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(g_largePicture))))
                DeleteObject(templatePicture);
        }
    }
    FitWindowToPicture(
        dialog, control,
        reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

// A picture given to a static control stays the giver's to delete.
void ReleaseLargePicture(HWND dialog) {
    if (g_largePicture == nullptr) return;
    HWND control = GetWindow(dialog, GW_CHILD);
    if (control != nullptr) {
        HGDIOBJ shown =
            reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, 0));
        // The control draws from a copy of a picture with an alpha channel.
        if (shown != nullptr && shown != g_largePicture) DeleteObject(shown);
    }
    DeleteObject(g_largePicture);
    g_largePicture = nullptr;
}

INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDialogIcons(dialog, WindowDpi(dialog));
            ShowPictureForDpi(dialog);
            SetTimer(dialog, kSplashTimerId, kSplashMilliseconds, nullptr);
            return FALSE;
        case WM_TIMER:
            KillTimer(dialog, kSplashTimerId);
            EndDialog(dialog, kDialogResult);
            return g_afterSplash != nullptr ? (*g_afterSplash)() : 0;
        case WM_DESTROY:
            ReleaseDialogIcons(dialog);
            ReleaseLargePicture(dialog);
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
