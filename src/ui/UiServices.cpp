#include "ui/UiServices.h"

#include "resource.h"

void SetDialogIcons(HWND window) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NICSET));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    // The window keeps using the icon; the handle from LoadIcon is shared and
    // releasing it here costs nothing.
    DestroyIcon(icon);
}
