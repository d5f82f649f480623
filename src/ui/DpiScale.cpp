#include "ui/DpiScale.h"

#include <climits>

int ScaleToDpi(int pixelsAt96, unsigned dpi) {
    if (dpi == 0) dpi = kBaseDpi;
    // Fits in 64 bits for any int and DPI; the result may not fit an int.
    const long long product = static_cast<long long>(pixelsAt96) * dpi;
    const long long half = kBaseDpi / 2;
    const long long scaled = (product + (product < 0 ? -half : half)) / kBaseDpi;
    if (scaled > INT_MAX) return INT_MAX;
    if (scaled < INT_MIN) return INT_MIN;
    return static_cast<int>(scaled);
}

bool UsesDoubleSizeSplash(unsigned dpi) {
    return dpi >= kDoubleSizeSplashDpi;
}

PixelRect FitClientArea(const PixelRect& outer, int clientWidth, int clientHeight, int width,
                        int height) {
    const int grownX = width - clientWidth;
    const int grownY = height - clientHeight;
    const int left = outer.left - grownX / 2;
    const int top = outer.top - grownY / 2;
    return {left, top, left + (outer.right - outer.left) + grownX,
            top + (outer.bottom - outer.top) + grownY};
}
