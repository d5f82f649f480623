// A shell that refuses the icon, on a real window; the rule is the native table's.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/TrayPresence_win.h"

TEST(TrayPresenceWinTest, AWindowWhoseIconIsRefusedStaysReachable) {
    for (bool startedHidden : {false, true}) {
        HWND window = CreateWindowExA(0, "STATIC", "tray", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        TrayPresence tray{TrayIconState::kTrying, startedHidden};
        tray.add = [](HWND, const std::string&) { return false; };  // the shell refuses
        ShowWindow(window, startedHidden ? SW_HIDE : SW_MINIMIZE);
        StartTrayIcon(window, tray, "Nicset", 5000);
        OnTrayWindowMinimized(window, tray);  // with no icon, it stays on the taskbar
        RetryTrayIcon(window, tray, "Nicset", 5000 + kTrayRetryForMs);
        EXPECT_TRUE(IsWindowVisible(window) && IsIconic(window)) << startedHidden;
        DestroyWindow(window);
    }
}
