// Process entry: chooses the platform profile, shows the splash and then,
// unless a main window is open already, runs the main window.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "adapter/PlatformProfile.h"
#include "ui/MainWindow.h"
#include "ui/Splash.h"
#include "ui/UiServices.h"

namespace {

// The process always ends with this status, however the window was closed.
constexpr int kExitStatus = 24;
// The splash's timer handler gives this when another main window is open.
constexpr INT_PTR kOtherMainWindowOpen = 32;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);  // 8
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);

    PlatformProfile profile;
    SelectPlatformProfile(static_cast<std::uint32_t>(GetVersion()), profile);

    // The main window's whole life runs inside the splash's timer message.
    ShowSplash(instance, [&profile]() -> INT_PTR {
        // One main window on the desktop is enough: this process just ends.
        if (TopLevelWindowExists(kMainWindowTitle)) return kOtherMainWindowOpen;
        RunMainWindow(profile);
        return 0;
    });
    return kExitStatus;
}
