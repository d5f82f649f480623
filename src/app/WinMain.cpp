// Process entry: chooses the platform profile, then shows the splash, which
// runs the main window.
#include <windows.h>
#include <commctrl.h>

#include "app/ProcessState.h"
#include "app/Splash.h"
#include "resource.h"

namespace {
constexpr int kExitStatus = 24;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);  // 8
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);

    SelectPlatformProfile(static_cast<std::uint32_t>(GetVersion()), g_platformProfile);

    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SPLASH), GetDesktopWindow(), SplashDialogProc,
                    0);
    return kExitStatus;
}
