#include "ui/StatusBar.h"

#include <commctrl.h>

#include <string>

#include "adapter/LiveState.h"
#include "resource.h"

namespace {

// A change shows within 5 seconds; a reading takes a few milliseconds.
constexpr UINT kRefreshMs = 3000;
constexpr UINT_PTR kRefreshTimer = IDC_STATUS_BAR;

// What the bar stands for: the window keeps its own state, the bar this.
std::string g_interfaceKey;
std::string g_shown;

HWND Bar(HWND dialog) {
    return GetDlgItem(dialog, IDC_STATUS_BAR);
}

void Show(HWND dialog, const std::string& text) {
    // Set only when it changed, so that the bar does not flicker.
    if (text == g_shown) return;
    g_shown = text;
    // The bar's first part (index 0), drawn by the bar itself, so that
    // WM_GETTEXT reads it.
    SendMessageA(Bar(dialog), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Nothing is read while the window is hidden or minimized.
void CALLBACK OnRefreshTimer(HWND dialog, UINT, UINT_PTR, DWORD) {
    if (IsWindowVisible(dialog) && !IsIconic(dialog)) RefreshStatusBar(dialog);
}

}  // namespace

void AddStatusBar(HWND dialog) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    // No size grip: the window keeps its size. No SB_SIMPLE, no owner-draw.
    HWND bar = CreateWindowExA(
        0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (bar == nullptr) return;
    // A text of its own from the start: a part that never had one gives
    // WM_GETTEXT nothing to copy, not even the terminator.
    g_shown.clear();
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    // The dialog's font, so that the bar's height is that font's.
    SendMessageA(bar, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    SendMessageA(bar, WM_SIZE, 0, 0);
    RECT barRect;
    RECT windowRect;
    GetWindowRect(bar, &barRect);
    GetWindowRect(dialog, &windowRect);
    SetWindowPos(dialog, nullptr, 0, 0, windowRect.right - windowRect.left,
                 windowRect.bottom - windowRect.top + (barRect.bottom - barRect.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The bar places itself along the bottom of the grown window.
    SendMessageA(bar, WM_SIZE, 0, 0);
    SetTimer(dialog, kRefreshTimer, kRefreshMs, OnRefreshTimer);
}

void ShowLiveStateOf(HWND dialog, const char* interfaceKey) {
    g_interfaceKey = interfaceKey;
    RefreshStatusBar(dialog);
}

void RefreshStatusBar(HWND dialog) {
    ShowLiveState(dialog,
                  g_interfaceKey.empty() ? LiveState() : ReadLiveState(g_interfaceKey.c_str()));
}

void ShowLiveState(HWND dialog, const LiveState& live) {
    Show(dialog, g_interfaceKey.empty() ? std::string() : LiveStateText(live));
}
