// The message filters are declared for Windows 7 and later only; they are
// looked up at run time, so the program itself still runs on older ones.
#undef WINVER
#define WINVER 0x0601
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601

#include "ui/TrayIcon.h"

#include <shellapi.h>

#include <cstddef>

#include "common/BoundedText.h"
#include "resource.h"

namespace {

// The icon's one id; a window has one icon.
constexpr UINT kTrayIconId = 1;
// NOTIFYICONDATAA as Windows 95 and 98 knew it, up to the 64-byte tip.
constexpr DWORD kFirstVersionSize =
    static_cast<DWORD>(offsetof(NOTIFYICONDATAA, szTip) + kTrayTipBytes + 1);

// The message filters of Vista (per process) and 7 (per window), looked up
// at run time: older Windows have neither.
constexpr UINT kMessageFilterAdd = 1;     // MSGFLT_ADD
constexpr DWORD kMessageFilterAllow = 1;  // MSGFLT_ALLOW

NOTIFYICONDATAA IconData(HWND window, UINT flags, const std::string& tip) {
    NOTIFYICONDATAA data = {};
    data.cbSize = kFirstVersionSize;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayIconMessage;
    // The first version's tip ends within its 64 bytes, whatever the headers give.
    static_assert(sizeof data.szTip > kTrayTipBytes, "the tip does not fit");
    CopyText(data.szTip, kTrayTipBytes + 1, tip.c_str());
    return data;
}

}  // namespace

bool AddTrayIcon(HWND window, const std::string& tip) {
    NOTIFYICONDATAA data = IconData(window, NIF_ICON | NIF_MESSAGE | NIF_TIP, tip);
    data.hIcon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NICSET), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    // At logon the shell may refuse the add and still show the icon later,
    // or may have it already: then a change of the same data succeeds.
    const bool added =
        Shell_NotifyIconA(NIM_ADD, &data) != FALSE || Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
    // The shell keeps its own copy of the picture.
    if (data.hIcon != nullptr) DestroyIcon(data.hIcon);
    return added;
}

void SetTrayTip(HWND window, const std::string& tip) {
    NOTIFYICONDATAA data = IconData(window, NIF_TIP, tip);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void RemoveTrayIcon(HWND window) {
    NOTIFYICONDATAA data = IconData(window, 0, std::string());
    Shell_NotifyIconA(NIM_DELETE, &data);
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void LetMessageThrough(HWND window, UINT message) {
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user == nullptr) return;
    // Windows 7 and later: for this window alone.
    if (auto filterForWindow = reinterpret_cast<decltype(&::ChangeWindowMessageFilterEx)>(
            reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilterEx")))) {
        filterForWindow(window, message, kMessageFilterAllow, nullptr);
        return;
    }
    // Vista: for the whole process.
    if (auto filter = reinterpret_cast<decltype(&::ChangeWindowMessageFilter)>(
            reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilter"))))
        filter(message, kMessageFilterAdd);
}

void HandTheFrontTo(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user == nullptr) return;
    // Windows 95 and NT 4.0 have no such call.
    if (auto allow = reinterpret_cast<decltype(&::AllowSetForegroundWindow)>(
            reinterpret_cast<void*>(GetProcAddress(user, "AllowSetForegroundWindow"))))
        allow(processId);
}

void ShowTrayMenu(HWND window, const std::vector<TrayMenuLine>& lines) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    for (const TrayMenuLine& line : lines) {
        UINT flags = line.separator ? MF_SEPARATOR : MF_STRING;
        if (line.greyed) flags |= MF_GRAYED;
        if (line.checked) flags |= MF_CHECKED;
        AppendMenuA(menu, flags, line.commandId, line.separator ? nullptr : line.text.c_str());
    }
    POINT at = {};
    GetCursorPos(&at);
    // Without the window in front, the menu would not close when the user
    // clicks elsewhere; the empty message after it lets the next click work.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}
