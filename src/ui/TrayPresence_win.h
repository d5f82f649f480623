// The main window's icon over the window's life, the Win32 half of
// TrayPresence.h: added, tried again while the shell refuses it, its tip
// kept current, removed; and the window hidden or shown as
// TrayWindowActionFor says. The window keeps a TrayPresence and hands it in.
#pragma once

#include <windows.h>

#include <string>

#include "ui/TrayIcon.h"
#include "ui/TrayPresence.h"

struct TrayPresence {
    TrayIconState icon = TrayIconState::kTrying;
    // Only the icon shows (started so, or minimized into it) until the user
    // asks for the window.
    bool hidden = false;
    DWORD firstFailedAt = 0;  // of the tries under way
    DWORD tipShownAt = 0;
    // NIM_ADD, then NIM_MODIFY; a test makes it fail.
    bool (*add)(HWND window, const std::string& tip) = AddTrayIcon;
};

// Adds the icon, at the start and whenever Explorer starts again; while the
// shell refuses it, a timer of the window tries again.
void StartTrayIcon(HWND window, TrayPresence& tray, const std::string& tip, DWORD now);
// Whether a WM_TIMER is that of the tries.
bool IsTrayRetryTimer(WPARAM timer);
// One try more, `now` by GetTickCount.
void RetryTrayIcon(HWND window, TrayPresence& tray, const std::string& tip, DWORD now);

// The window was minimized (WM_SIZE).
void OnTrayWindowMinimized(HWND window, TrayPresence& tray);
// WM_WINDOWPOSCHANGING: a hidden window stays so; Windows shows a dialog
// box when its queue first empties.
void KeepTrayWindowHidden(const TrayPresence& tray, WINDOWPOS& position);
// Shows the window, restored if it was minimized, lifting the hold.
void ShowTrayWindow(HWND window, TrayPresence& tray);

// Sets the icon's tip, and whether it is a while since it was set.
void ShowTrayTip(HWND window, TrayPresence& tray, const std::string& tip, DWORD now);
bool TrayTipIsOld(const TrayPresence& tray, DWORD now);

// Stops the tries and removes the icon. `window` may be gone already: the
// shell knows the icon by the handle's value.
void EndTrayIcon(HWND window);
