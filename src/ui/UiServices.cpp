#include "ui/UiServices.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "common/BoundedText.h"
#include "resource.h"
#include "ui/DpiScale.h"

namespace {

// The program icon's image nearest to `pixels` square, scaled to it.
HICON LoadProgramIcon(int pixels) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NICSET),
                                         IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
}

// The window hands back the icon it had, which only this file gave it.
void ReplaceIcon(HWND window, WPARAM which, HICON icon) {
    const auto previous = reinterpret_cast<HICON>(
        SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
    if (previous != nullptr && previous != icon) DestroyIcon(previous);
}

}  // namespace

void SetDialogIcons(HWND window, unsigned dpi) {
    ReplaceIcon(window, ICON_SMALL, LoadProgramIcon(ScaleToDpi(kSmallIconPixels, dpi)));
    ReplaceIcon(window, ICON_BIG, LoadProgramIcon(ScaleToDpi(kLargeIconPixels, dpi)));
}

void ReleaseDialogIcons(HWND window) {
    ReplaceIcon(window, ICON_SMALL, nullptr);
    ReplaceIcon(window, ICON_BIG, nullptr);
}

void SetControlText(HWND dialog, int id, const char* text) {
    SetDlgItemTextA(dialog, id, text);
}

void GetControlText(HWND dialog, int id, char* text, std::size_t capacity) {
    if (capacity == 0) return;
    text[0] = '\0';
    GetDlgItemTextA(dialog, id, text, static_cast<int>(capacity));
    text[capacity - 1] = '\0';
}

bool IsChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    SendMessageA(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void EnableControl(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

void LimitText(HWND dialog, int id, int characters) {
    SendMessageA(GetDlgItem(dialog, id), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void GetComboText(HWND comboBox, char* text, std::size_t capacity) {
    if (capacity == 0) return;
    text[0] = '\0';
    const LRESULT line = SendMessageA(comboBox, CB_GETCURSEL, 0, 0);
    if (line == CB_ERR) return;
    // CB_GETLBTEXT takes no buffer size: measure the line first.
    const LRESULT length = SendMessageA(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(line), 0);
    if (length == CB_ERR || static_cast<std::size_t>(length) >= capacity) return;
    SendMessageA(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
    text[capacity - 1] = '\0';
}

bool SelectComboLine(HWND comboBox, const char* text) {
    const LRESULT lines = SendMessageA(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT line = 0; line < lines; ++line) {
        SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
        char shown[256] = {};
        GetComboText(comboBox, shown);
        if (std::strcmp(shown, text) == 0) return true;
    }
    SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return false;
}

void InsertListColumn(HWND listView, int column, const char* title, int width) {
    LVCOLUMNA header = {};
    header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    header.fmt = LVCFMT_LEFT;
    header.cx = width;
    header.pszText = const_cast<char*>(title);
    SendMessageA(listView, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&header));
}

int SelectedListRow(HWND listView) {
    if (SendMessageA(listView, LVM_GETSELECTEDCOUNT, 0, 0) == 0) return -1;
    return static_cast<int>(
        SendMessageA(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void GetListCell(HWND listView, int row, int column, char* text, std::size_t capacity) {
    if (capacity == 0) return;
    text[0] = '\0';
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(capacity);
    SendMessageA(listView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    // The control may answer with a pointer to its own copy of the text.
    if (item.pszText != text && item.pszText != nullptr) CopyText(text, capacity, item.pszText);
    text[capacity - 1] = '\0';
}

int ShowMessage(HWND owner, const char* text, const char* title, UINT style) {
    return MessageBoxA(owner, text, title, style);
}

namespace {

BOOL CALLBACK FindOtherDialog(HWND window, LPARAM found) {
    auto* other = reinterpret_cast<HWND*>(found);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (window == *other || !IsWindowVisible(window) || std::strcmp(className, "#32770") != 0)
        return TRUE;
    *other = window;
    return FALSE;
}

}  // namespace

HWND OtherDialogOfThread(HWND window) {
    HWND found = window;
    EnumThreadWindows(GetCurrentThreadId(), FindOtherDialog, reinterpret_cast<LPARAM>(&found));
    return found != window ? found : nullptr;
}

bool TopLevelWindowExists(const char* title) {
    return FindWindowA(nullptr, title) != nullptr;
}

bool FolderTakesNewFiles(const char* folder) {
    char path[MAX_PATH] = {};
    // A zero number makes Windows choose a name no file has and create it.
    if (GetTempFileNameA(folder, "nic", 0, path) == 0) return false;
    DeleteFileA(path);
    return true;
}

ShellOpenResult OpenWithShell(const char* file, int showCommand) {
    // A stale error code from earlier calls must not pass for this call's.
    SetLastError(ERROR_SUCCESS);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "Open", file, nullptr, nullptr, showCommand));
    if (result > 32) return ShellOpenResult::Opened;
    if (result == SE_ERR_FNF || GetLastError() == ERROR_FILE_NOT_FOUND)
        return ShellOpenResult::FileNotFound;
    return ShellOpenResult::OtherFailure;
}
