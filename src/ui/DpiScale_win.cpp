// GetDpiForWindow is declared for Windows 10 1607 and later only; it is
// looked up at run time, so the program itself still runs on older ones.
#undef WINVER
#define WINVER 0x0A00
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00

#include "ui/DpiScale_win.h"

unsigned WindowDpi(HWND window) {
    // user32.dll is loaded in every process with a window.
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user != nullptr) {
        if (auto dpiForWindow = reinterpret_cast<decltype(&::GetDpiForWindow)>(
                reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))) {
            // 0 for a window that is not (or no longer) one.
            if (const UINT dpi = dpiForWindow(window)) return dpi;
        }
    }
    // Older Windows have one DPI for the whole screen.
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kBaseDpi;
}
