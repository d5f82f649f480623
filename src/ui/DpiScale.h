// Sizes in pixels at a window's DPI. Dialogs scale by themselves (dialog
// units); what is given in pixels (column widths, pictures, icons, fonts made
// by hand) is given at 96 DPI and scaled with these.
#pragma once

constexpr unsigned kBaseDpi = 96;
// From here on the splash shows its picture of twice the size.
constexpr unsigned kDoubleSizeSplashDpi = 144;
// The icon sizes to ask for at 96 DPI; the icon holds 16 to 64 pixels.
constexpr int kSmallIconPixels = 16;
constexpr int kLargeIconPixels = 32;

// `pixelsAt96` at `dpi`, rounded to the nearest pixel with halves away from
// zero, as MulDiv(pixelsAt96, dpi, 96) does (a font's negative height too).
// A DPI of 0, a query that failed, counts as 96.
int ScaleToDpi(int pixelsAt96, unsigned dpi);

// Whether the splash shows its twice-size picture at `dpi`.
bool UsesDoubleSizeSplash(unsigned dpi);

// A rectangle in pixels, as Windows keeps one (right and bottom excluded).
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Where a window whose outer rectangle is `outer`, around a client area of
// `clientWidth` x `clientHeight`, goes for a client area of `width` x
// `height`: its frame as it is, its centre where it was (an odd pixel falls
// on the right and at the bottom). The splash takes its picture's size so.
PixelRect FitClientArea(const PixelRect& outer, int clientWidth, int clientHeight, int width,
                        int height);
