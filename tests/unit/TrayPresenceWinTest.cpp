// A shell that refuses the icon, on a real window: the window is never left
// hidden with no way back. The rule itself is the native table's.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "ui/TrayPresence_win.h"

namespace {

bool Refused(HWND, const std::string&) {
    return false;
}

TEST(TrayPresenceWinTest, AWindowWhoseIconIsRefusedStaysReachable) {
    for (bool startedHidden : {false, true}) {
        SCOPED_TRACE(startedHidden ? "started hidden" : "shown");
        HWND window =
            CreateWindowExA(0, "STATIC", "Nicset tray test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        TrayPresence tray;
        tray.add = Refused;
        tray.hidden = startedHidden;
        if (!startedHidden) ShowWindow(window, SW_SHOWNORMAL);
        const DWORD start = 5000;
        StartTrayIcon(window, tray, "Nicset", start);
        EXPECT_EQ(tray.icon, TrayIconState::kTrying);
        if (!startedHidden) {
            // With no icon, minimizing leaves the window on the taskbar.
            ShowWindow(window, SW_MINIMIZE);
            OnTrayWindowMinimized(window, tray);
            EXPECT_TRUE(IsWindowVisible(window));
        }
        RetryTrayIcon(window, tray, "Nicset", start + kTrayRetryForMs - 1);
        EXPECT_EQ(IsWindowVisible(window) != FALSE, !startedHidden);
        RetryTrayIcon(window, tray, "Nicset", start + kTrayRetryForMs);
        EXPECT_EQ(tray.icon, TrayIconState::kLost);
        EXPECT_TRUE(IsWindowVisible(window)) << "hidden with no icon";
        EXPECT_TRUE(IsIconic(window));
        EXPECT_FALSE(tray.hidden);
        DestroyWindow(window);
    }
}

}  // namespace
