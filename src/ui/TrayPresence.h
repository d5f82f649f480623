// Whether the notification-area icon is there, and what the main window
// does about it: platform-free, so that the rule is tested natively. A
// window hidden with no icon would leave the user no way back but a second
// start, so the icon is tried again for a while, and the window shows itself
// on the taskbar when the icon cannot be had.
#pragma once

enum class TrayIconState {
    kShown,   // the shell took the icon
    kTrying,  // not yet: tried again every kTrayRetryMs
    kLost,    // not taken within kTrayRetryForMs
};

// At logon the notification area is often not ready yet.
constexpr unsigned kTrayRetryMs = 2000;
constexpr unsigned kTrayRetryForMs = 120000;

// The icon's state after a try, `elapsedMs` after the first failed one.
TrayIconState TrayStateAfterTry(bool taken, unsigned elapsedMs);

enum class TrayWindowAction {
    kNone,
    kHide,           // only the icon remains
    kShowMinimized,  // back on the taskbar, minimized, not in front
};

// What the window does whenever the icon's state changes or the window is
// minimized. `hidden`: the window is hidden (started so, or minimized into
// the icon). Minimized with an icon, it hides; hidden and the icon lost, it
// shows itself minimized; while the icon is tried, nothing changes.
TrayWindowAction TrayWindowActionFor(TrayIconState icon, bool minimized, bool hidden);
