// The maker's name at the bottom of the main window, drawn as a web link:
// blue, red and underlined under the mouse, with a hand pointer. A click
// opens the maker's web page through a small Internet shortcut file.
#pragma once

#include <windows.h>

constexpr const char kMakerShortcutFile[] = "Quorvia en la web.url";
constexpr const char kMakerWebAddress[] = "http://www.example.com/";

// Subclasses `label`, lets its clicks reach the parent and makes the fonts
// for the label's DPI.
void AttachLinkLabel(HWND label);

// Makes the label's fonts anew for `dpi` (the window moved to a screen of
// another DPI) and repaints it.
void SetLinkLabelDpi(unsigned dpi);

// Whether `window` is the label attached last.
bool IsMakerLabel(HWND window);

// Answers the parent's WM_CTLCOLORSTATIC for the label: sets colours and
// font on `dc` and gives the background brush (a system brush).
HBRUSH LinkLabelColors(HDC dc);

// The label's command notification: writes the shortcut file when it is
// missing, and opens it on a single click (STN_CLICKED).
void OpenMakerLink(WORD notificationCode);
