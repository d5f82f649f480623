// Process entry: chooses the platform profile; then, started without
// arguments, shows the splash and, unless a main window is open already,
// runs the main window; started with arguments, carries out the command
// line and ends with its status. The copies of itself that Nicset starts
// (the elevated one, the 64-bit restart helper) show nothing and end with
// their own exit code.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "adapter/PlatformProfile.h"
#include "app/CommandLine.h"
#include "app/CommandRun.h"
#include "ui/MainWindow.h"
#include "ui/Splash.h"
#include "ui/UiServices.h"

namespace {

// Started without arguments, the process always ends with this status,
// however the window was closed.
constexpr int kExitStatus = 24;
// The splash's timer handler gives this when another main window is open.
constexpr INT_PTR kOtherMainWindowOpen = 32;

}  // namespace

// The C runtime gives `commandLine` without the program's name, skipped the
// way Windows programs do; the rest is read by our own code.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);  // 8
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);

    PlatformProfile profile;
    SelectPlatformProfile(static_cast<std::uint32_t>(GetVersion()), profile);

    const CommandRequest request = ParseCommandLine(commandLine != nullptr ? commandLine : "");
    if (request.action == CommandAction::kRunTray) {
        // Started with Windows, say: a Nicset already running is enough.
        if (!TopLevelWindowExists(kMainWindowTitle)) RunMainWindow(profile, true);
        return kExitStatus;
    }
    if (request.action != CommandAction::kRunWindow) return RunCommandLine(request, profile);

    // The main window's whole life runs inside the splash's timer message.
    ShowSplash(instance, [&profile]() -> INT_PTR {
        // One main window on the desktop is enough: Nicset's own is asked to
        // show itself, hidden or not, and this process just ends.
        if (TopLevelWindowExists(kMainWindowTitle)) {
            if (HWND running = FindNicsetMainWindow()) AskToShowMainWindow(running);
            return kOtherMainWindowOpen;
        }
        RunMainWindow(profile, false);
        return 0;
    });
    return kExitStatus;
}
