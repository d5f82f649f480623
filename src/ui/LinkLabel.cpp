#include "ui/LinkLabel.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "common/BoundedText.h"
#include "ui/DpiScale_win.h"

namespace {

struct LinkLabelState {
    HWND label = nullptr;
    WNDPROC previousProcedure = nullptr;
    bool hovered = false;
    HFONT normalFont = nullptr;
    HFONT underlinedFont = nullptr;
    unsigned fontDpi = 0;  // the DPI the fonts were made for
    HCURSOR handCursor = nullptr;
};

// The one label of the process; its fonts and cursor live until the end, the
// fonts until the label's DPI changes.
LinkLabelState g_linkLabel;

constexpr COLORREF kNormalColour = RGB(0, 0, 200);
constexpr COLORREF kHoverColour = RGB(200, 0, 0);

// The label's font, as it has always been made: characters 11 pixels high
// at 96 DPI (negative: the character height, not the cell's), the width left
// to the font, and escapement and orientation of a tenth of a degree, which
// draws no visible slant.
constexpr LONG kFontHeight = -11;
constexpr LONG kFontWidth = 0;
constexpr LONG kFontAngle = 1;  // tenths of a degree
constexpr const char kFontFace[] = "Microsoft Sans Serif";
// IDC_HAND, which the Windows SDK defines only from WINVER 0x0500 on.
constexpr WORD kHandCursorId = 32649;

HFONT MakeLabelFont(bool underlined, unsigned dpi) {
    LOGFONTA description = {};
    description.lfHeight = ScaleToDpi(kFontHeight, dpi);
    description.lfWidth = kFontWidth;
    description.lfEscapement = kFontAngle;
    description.lfOrientation = kFontAngle;
    description.lfWeight = FW_NORMAL;
    description.lfUnderline = underlined ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_ROMAN;  // 0x10
    CopyText(description.lfFaceName, kFontFace);
    return CreateFontIndirectA(&description);
}

void RepaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Makes both fonts for `dpi` unless they are made for it already. A font
// is selected into the label's paint DC only while it paints, so the old
// ones are free to go.
void MakeLabelFonts(unsigned dpi) {
    if (g_linkLabel.normalFont != nullptr && g_linkLabel.fontDpi == dpi) return;
    HFONT oldNormal = g_linkLabel.normalFont;
    HFONT oldUnderlined = g_linkLabel.underlinedFont;
    g_linkLabel.normalFont = MakeLabelFont(false, dpi);
    g_linkLabel.underlinedFont = MakeLabelFont(true, dpi);
    g_linkLabel.fontDpi = dpi;
    if (oldNormal != nullptr) DeleteObject(oldNormal);
    if (oldUnderlined != nullptr) DeleteObject(oldUnderlined);
}

// "[InternetShortcut]", a bare line feed and the URL line, with no line end
// or terminator after the address.
bool WriteShortcut(HANDLE file) {
    char content[128];
    CopyText(content, "[InternetShortcut]\nURL=");
    std::strncat(content, kMakerWebAddress, sizeof(content) - std::strlen(content) - 1);
    const DWORD length = static_cast<DWORD>(std::strlen(content));
    DWORD written = 0;
    return WriteFile(file, content, length, &written, nullptr) && written == length;
}

LRESULT CALLBACK LinkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE: {
            g_linkLabel.hovered = true;
            RepaintNow(window);
            TRACKMOUSEEVENT tracking = {};
            tracking.cbSize = sizeof(tracking);
            tracking.dwFlags = TME_LEAVE;
            tracking.hwndTrack = window;
            _TrackMouseEvent(&tracking);
            SetCursor(g_linkLabel.handCursor);
            break;
        }
        case WM_MOUSELEAVE:
            g_linkLabel.hovered = false;
            RepaintNow(window);
            break;
        default:
            break;
    }
    if (IsWindowUnicode(window))
        return CallWindowProcW(g_linkLabel.previousProcedure, window, message, wParam, lParam);
    return CallWindowProcA(g_linkLabel.previousProcedure, window, message, wParam, lParam);
}

}  // namespace

void AttachLinkLabel(HWND label) {
    g_linkLabel.label = label;
    g_linkLabel.previousProcedure =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(label, GWLP_WNDPROC));
    SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkLabelProc));
    SetWindowLongPtrA(label, GWL_STYLE, GetWindowLongPtrA(label, GWL_STYLE) | SS_NOTIFY);
    // Made once for each DPI; the main window opens once per process.
    MakeLabelFonts(WindowDpi(label));
    g_linkLabel.handCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(kHandCursorId));
}

void SetLinkLabelDpi(unsigned dpi) {
    if (g_linkLabel.label == nullptr) return;
    MakeLabelFonts(dpi);
    InvalidateRect(g_linkLabel.label, nullptr, TRUE);
}

bool IsMakerLabel(HWND window) {
    return window == g_linkLabel.label;
}

HBRUSH LinkLabelColors(HDC dc) {
    HBRUSH background = GetSysColorBrush(COLOR_BTNFACE);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, g_linkLabel.hovered ? kHoverColour : kNormalColour);
    SelectObject(dc, g_linkLabel.hovered ? g_linkLabel.underlinedFont : g_linkLabel.normalFont);
    return background;
}

void OpenMakerLink(WORD notificationCode) {
    // An existing shortcut is the user's: it is opened, never rewritten.
    HANDLE file = CreateFileA(kMakerShortcutFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        file = CreateFileA(kMakerShortcutFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE && !WriteShortcut(file)) {
            // A cut-short shortcut would be kept and opened forever after.
            CloseHandle(file);
            file = INVALID_HANDLE_VALUE;
            DeleteFileA(kMakerShortcutFile);
        }
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    // The second click of a double click only writes.
    if (notificationCode == STN_CLICKED)
        ShellExecuteA(nullptr, "Open", kMakerShortcutFile, nullptr, nullptr, SW_SHOW);
}
