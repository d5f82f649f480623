#!/usr/bin/env python3
"""Remakes the program icon (res/nicset.ico) and the splash picture
(res/splash.bmp).

ImageMagick draws the pictures; this script writes the two files itself so
that their formats are exactly what the resources need: the icon holds one
32 x 32 image with a 256-colour palette, the splash is a 270 x 166 bitmap
with 24 bits per pixel.

    python3 scripts/make-images.py
"""
import os
import struct
import subprocess

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
FONT = "DejaVu-Sans"
FONT_BOLD = "DejaVu-Sans-Bold"


def render(size, draw_args):
    """Runs ImageMagick and returns the picture as rows of (r, g, b, a)."""
    width, height = size
    raw = subprocess.run(
        ["convert", "-size", f"{width}x{height}", *draw_args,
         "-depth", "8", "rgba:-"],
        check=True, stdout=subprocess.PIPE).stdout
    assert len(raw) == width * height * 4, "unexpected picture size"
    return [[tuple(raw[(y * width + x) * 4:(y * width + x) * 4 + 4])
             for x in range(width)] for y in range(height)]


def write_bmp24(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                         len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0,
                              offset))
        out.write(header + pixels)


def write_ico8(path, rows):
    """One 32 x 32 image, 8 bits per pixel with a 256-entry palette and an
    AND mask for the transparent corners."""
    size = len(rows)
    palette = []
    index_of = {}
    indices = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            colour = (r, g, b) if a >= 128 else (0, 0, 0)
            if colour not in index_of:
                index_of[colour] = len(palette)
                palette.append(colour)
            line.append(index_of[colour])
        indices.append(line)
    assert len(palette) <= 256, f"{len(palette)} colours do not fit a palette"
    palette += [(0, 0, 0)] * (256 - len(palette))

    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        xor += bytes(indices[y])
        bits = 0
        line = bytearray()
        for x in range(size):
            bits = (bits << 1) | (1 if rows[y][x][3] < 128 else 0)
            if x % 8 == 7:
                line.append(bits)
                bits = 0
        mask += line + bytes(mask_stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    image = header + colours + xor + mask
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, 1))
        out.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image),
                              6 + 16))
        out.write(image)


def icon_rows():
    # A blue network card with a white "N" and gold connector pins,
    # reduced to at most 256 colours.
    return render((32, 32), [
        "xc:none",
        "-fill", "#1f5fbf", "-stroke", "#0d2f66", "-strokewidth", "1",
        "-draw", "roundrectangle 1,4 30,25 4,4",
        "-stroke", "none", "-fill", "#e8b923",
        "-draw", "rectangle 6,26 8,30", "-draw", "rectangle 11,26 13,30",
        "-draw", "rectangle 16,26 18,30", "-draw", "rectangle 21,26 23,30",
        "-fill", "white", "-font", FONT_BOLD, "-pointsize", "19",
        "-gravity", "center", "-annotate", "+0-1", "N",
        "-colors", "255",
    ])


def splash_rows():
    return render((270, 166), [
        "gradient:#0d2f66-#1f8fbf",
        "-fill", "#ffffff22", "-draw", "circle 235,20 300,60",
        "-fill", "#ffffff18", "-draw", "circle 30,160 90,200",
        "-fill", "white", "-font", FONT_BOLD, "-pointsize", "40",
        "-gravity", "northwest", "-annotate", "+22+34", "Nicset",
        "-fill", "#e8b923", "-font", FONT, "-pointsize", "16",
        "-annotate", "+27+88", "version 1.0",
        "-fill", "#dfe9f5", "-pointsize", "11",
        "-annotate", "+27+114", "Network settings in a single step",
        "-fill", "white", "-pointsize", "11", "-gravity", "southeast",
        "-annotate", "+12+10", "Quorvia",
    ])


def main():
    write_ico8(os.path.join(RES, "nicset.ico"), icon_rows())
    write_bmp24(os.path.join(RES, "splash.bmp"), splash_rows())


if __name__ == "__main__":
    main()
