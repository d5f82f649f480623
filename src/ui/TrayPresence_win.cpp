#include "ui/TrayPresence_win.h"

namespace {

// The tries' timer, of the main window; clear of the splash's.
constexpr UINT_PTR kRetryTimer = 0x7261;
// The icon's tip follows the mouse at most this often.
constexpr DWORD kTipRefreshMs = 1000;

void Act(HWND window, TrayPresence& tray, bool minimized) {
    switch (TrayWindowActionFor(tray.icon, minimized, tray.hidden)) {
        case TrayWindowAction::kHide:
            tray.hidden = true;
            ShowWindow(window, SW_HIDE);
            break;
        case TrayWindowAction::kShowMinimized:
            tray.hidden = false;
            ShowWindow(window, SW_SHOWMINNOACTIVE);
            break;
        case TrayWindowAction::kNone:
            break;
    }
}

void Try(HWND window, TrayPresence& tray, const std::string& tip, DWORD now) {
    const TrayIconState was = tray.icon;
    tray.icon = TrayStateAfterTry(tray.add(window, tip), now - tray.firstFailedAt);
    if (tray.icon == TrayIconState::kTrying)
        SetTimer(window, kRetryTimer, kTrayRetryMs, nullptr);
    else
        KillTimer(window, kRetryTimer);
    if (tray.icon != was) Act(window, tray, IsIconic(window) != FALSE);
}

}  // namespace

void StartTrayIcon(HWND window, TrayPresence& tray, const std::string& tip, DWORD now) {
    // A new Explorer has a new notification area: the tries start afresh.
    tray.firstFailedAt = now;
    Try(window, tray, tip, now);
    tray.tipShownAt = now;
}

bool IsTrayRetryTimer(WPARAM timer) {
    return timer == kRetryTimer;
}

void RetryTrayIcon(HWND window, TrayPresence& tray, const std::string& tip, DWORD now) {
    if (tray.icon == TrayIconState::kTrying) Try(window, tray, tip, now);
}

void OnTrayWindowMinimized(HWND window, TrayPresence& tray) {
    Act(window, tray, true);
}

void KeepTrayWindowHidden(const TrayPresence& tray, WINDOWPOS& position) {
    if (tray.hidden) position.flags &= ~SWP_SHOWWINDOW;
}

void ShowTrayWindow(HWND window, TrayPresence& tray) {
    tray.hidden = false;
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
}

void ShowTrayTip(HWND window, TrayPresence& tray, const std::string& tip, DWORD now) {
    if (tray.icon == TrayIconState::kShown) SetTrayTip(window, tip);
    tray.tipShownAt = now;
}

bool TrayTipIsOld(const TrayPresence& tray, DWORD now) {
    return now - tray.tipShownAt >= kTipRefreshMs;
}

void EndTrayIcon(HWND window) {
    KillTimer(window, kRetryTimer);
    RemoveTrayIcon(window);
}
