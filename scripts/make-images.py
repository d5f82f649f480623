#!/usr/bin/env python3
"""Remakes the program icon (res/nicset.ico) and the splash pictures
(res/splash.bmp, res/splash-large.bmp).

ImageMagick draws the pictures; this script writes the files itself so that
their formats are exactly what the resources need: the icon holds images of
16, 20, 24, 32, 40, 48 and 64 pixels, each with a 256-colour palette and a
transparency mask, which every Windows from 98 on reads (no PNG images and
no alpha channel, which 98 and 2000 cannot draw). Windows picks the size
that suits the screen's DPI. The splash is a 270 x 166 bitmap with 24 bits
per pixel, and the large one the same picture drawn at twice the size, for
screens of 144 DPI and more, reduced to 256 colours with dithering: with 8
bits per pixel (uncompressed, which every Windows reads) it takes a third
of the room that 24 bits would add to the program.

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
    write_bitmap_file(path, header, b"", pixels)


def write_bitmap_file(path, header, colours, pixels):
    """The file header, then the bitmap's header, palette and pixels."""
    offset = 14 + len(header) + len(colours)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0,
                              offset))
        out.write(header + colours + pixels)


def palette_of(rows, transparent=False):
    """The picture's colours in order of first use, and each pixel's index;
    with `transparent`, pixels more transparent than not count as black,
    which the icon's mask hides."""
    palette = []
    index_of = {}
    indices = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            colour = (r, g, b) if not transparent or a >= 128 else (0, 0, 0)
            if colour not in index_of:
                index_of[colour] = len(palette)
                palette.append(colour)
            line.append(index_of[colour])
        indices.append(line)
    assert len(palette) <= 256, f"{len(palette)} colours do not fit a palette"
    return palette, indices


def write_bmp8(path, rows):
    """A bitmap with a palette of 256 colours and a byte per pixel."""
    palette, indices = palette_of(rows)
    height, width = len(rows), len(rows[0])
    stride = (width + 3) & ~3
    pixels = bytearray()
    for line in reversed(indices):  # bottom-up, as above
        pixels += bytes(line) + bytes(stride - width)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    colours += bytes(4 * (256 - len(palette)))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0,
                         len(pixels), 2835, 2835, 256, 0)
    write_bitmap_file(path, header, colours, pixels)


def ico8_image(rows):
    """One square image, 8 bits per pixel with a 256-entry palette and an AND
    mask for the transparent corners, as an icon file stores it."""
    size = len(rows)
    palette, indices = palette_of(rows, transparent=True)
    palette += [(0, 0, 0)] * (256 - len(palette))

    # Rows of both bitmaps are padded to four bytes, the mask's too.
    xor_stride = (size + 3) & ~3
    mask_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        xor += bytes(indices[y]) + bytes(xor_stride - size)
        bits = 0
        line = bytearray()
        for x in range(size):
            bits = (bits << 1) | (1 if rows[y][x][3] < 128 else 0)
            if x % 8 == 7:
                line.append(bits)
                bits = 0
        if size % 8:
            line.append(bits << (8 - size % 8))
        mask += line + bytes(mask_stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + xor + mask


def write_ico(path, images):
    """The icon file: a directory of the images, smallest first, then the
    images themselves."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = bytearray()
    for rows in images:
        image = ico8_image(rows)
        size = len(rows)
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8,
                                 len(image), offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(directory + data)


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)

# The "N" of the three smallest icons, set pixel by pixel: a font's letter
# drawn that small blurs its diagonal into the card. Per size: the letter's
# top left corner on the icon, its width and its stroke width.
SMALL_N = {16: (4, 4, 8, 2), 20: (5, 5, 10, 2), 24: (6, 6, 12, 3)}


def small_n(width, stroke):
    """The cells (x, y) of a pixel "N": two bars, and a diagonal that moves
    one column right per row, with as many rows as it needs to go from the
    left bar to the right one."""
    return [(x, y) for y in range(width - stroke + 1) for x in range(width)
            if x < stroke or x >= width - stroke or y <= x < y + stroke]


def icon_rows(size):
    # A blue network card with a white "N" and gold connector pins, drawn
    # for each size on whole pixels (a scaled 32-pixel picture would blur
    # the small ones), reduced to at most 256 colours.
    f = size / 32
    edge = max(1, round(f))  # the card's side margin and its outline
    top, bottom = round(4 * f), round(25 * f)
    radius = max(2, round(4 * f))
    pins = 4 if size >= 24 else 3
    pin, gap = max(2, round(3 * f)), max(1, round(2 * f))
    left = (size - pins * pin - (pins - 1) * gap) // 2
    pin_end = size - 1 - edge
    draw = [
        "xc:none",
        "-fill", "#1f5fbf", "-stroke", "#0d2f66", "-strokewidth", str(edge),
        "-draw", f"roundrectangle {edge},{top} {size - 1 - edge},{bottom} "
                 f"{radius},{radius}",
        "-stroke", "none", "-fill", "#e8b923",
    ]
    for n in range(pins):
        x = left + n * (pin + gap)
        draw += ["-draw", f"rectangle {x},{bottom + 1} {x + pin - 1},{pin_end}"]
    if size not in SMALL_N:
        draw += ["-fill", "white", "-font", FONT_BOLD,
                 "-pointsize", f"{19 * f:g}", "-gravity", "center",
                 "-annotate", f"+0-{edge}", "N"]
    rows = render((size, size), draw + ["-colors", "255"])
    if size in SMALL_N:
        x0, y0, width, stroke = SMALL_N[size]
        for x, y in small_n(width, stroke):
            rows[y0 + y][x0 + x] = (255, 255, 255, 255)
    return rows


def splash_rows(scale, finish=()):
    """The splash at `scale` times its size; `finish` are ImageMagick's last
    steps before the pixels are read."""
    def at(n):
        return str(n * scale)
    return render((270 * scale, 166 * scale), [
        "gradient:#0d2f66-#1f8fbf",
        "-fill", "#ffffff22",
        "-draw", f"circle {at(235)},{at(20)} {at(300)},{at(60)}",
        "-fill", "#ffffff18",
        "-draw", f"circle {at(30)},{at(160)} {at(90)},{at(200)}",
        "-fill", "white", "-font", FONT_BOLD, "-pointsize", at(40),
        "-gravity", "northwest", "-annotate", f"+{at(22)}+{at(34)}", "Nicset",
        "-fill", "#e8b923", "-font", FONT, "-pointsize", at(16),
        "-annotate", f"+{at(27)}+{at(88)}", "version 1.0",
        "-fill", "#dfe9f5", "-pointsize", at(11),
        "-annotate", f"+{at(27)}+{at(114)}",
        "Network settings in a single step",
        "-fill", "white", "-pointsize", at(11), "-gravity", "southeast",
        "-annotate", f"+{at(12)}+{at(10)}", "Quorvia",
        *finish,
    ])


def main():
    write_ico(os.path.join(RES, "nicset.ico"),
              [icon_rows(size) for size in ICON_SIZES])
    write_bmp24(os.path.join(RES, "splash.bmp"), splash_rows(1))
    # Twice the size, for 144 DPI and more; dithered, the gradient shows no
    # bands.
    write_bmp8(os.path.join(RES, "splash-large.bmp"),
               splash_rows(2, ["-dither", "FloydSteinberg", "-colors", "256"]))


if __name__ == "__main__":
    main()
