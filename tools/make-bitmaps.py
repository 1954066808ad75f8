#!/usr/bin/env python3
"""Draws the title-bar skin: 31 BMP files in src/resources/bitmaps/, each 8
bits per pixel with a palette of its own colours, and the resource lines
that name them, src/resources/bitmaps.rc.

Regenerating is a manual step; the build uses the committed files:

    python3 tools/make-bitmaps.py

Standard library only, and deterministic: the same script writes the same
bytes, so a change to the art shows up as a change to the files.

Two colours are reserved. Magenta (255, 0, 255) is the transparent colour of
the buttons: everything outside a ball is magenta. Pure black (0, 0, 0)
marks the pixels outside the window in the four shape bitmaps (the two bar
ends and the two bottom corners) and appears nowhere else in them.
"""

import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "src", "resources", "bitmaps")
RC_PATH = os.path.join(ROOT, "src", "resources", "bitmaps.rc")

MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)

BAR_HEIGHT = 28
BAR_MIDDLE_WIDTH = 1225
EQ_MIDDLE_WIDTH = 436
END_WIDTH = 11
BALL = 16
MINI_BALL = 12
TITLE_Y = 8            # where the bar paints its title
BUTTON_TOP = 4         # rows of the bar behind the balls start here
MINI_BUTTONS = ((6, 7), (6, 24), (6, 41))


def clamp(value):
    return max(0, min(255, int(round(value))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(colour, delta):
    return tuple(clamp(c + delta) for c in colour)


def as_pixel(colour):
    return tuple(clamp(c) for c in colour)


# ---- the bar ---------------------------------------------------------------

def bar_rows():
    """Colour of each row of the bar: a soft two-tone gloss with fine
    pinstripes and a faint brushed grain, the same along every column so the
    stretched middle stays exact."""
    seed = 0x2545F491
    rows = []
    for y in range(BAR_HEIGHT):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        grain = ((seed >> 16) % 3) - 1
        if y == 0:
            level = 150
        elif y == 1:
            level = 252
        elif y <= 12:
            level = 243 - (y - 2) * 1.1
        elif y <= 23:
            level = 226 - (y - 13) * 1.4
        elif y == 24:
            level = 198
        else:
            level = 156
        if 2 <= y <= 23:
            level += (-3 if y % 2 else 1) + grain
        rows.append((clamp(level), clamp(level), clamp(level + 3)))
    return rows


BAR_ROWS = bar_rows()

# The end pieces brighten gently towards their outer edge; columns 9 and 10
# lie under the middle on the left and stay within a level of it.
END_COLUMN_LIFT = (0, 0, 6, 4, 3, 2, 2, 2, 2, 1, 1)

TOP_LEFT_MASK = {(0, 0), (0, 1), (0, 2), (0, 3), (0, 4), (1, 0), (1, 1), (1, 2),
                 (2, 0), (2, 1), (3, 0), (4, 0)}  # (row, column)


def bar_middle(width):
    return [[BAR_ROWS[y]] * width for y in range(BAR_HEIGHT)]


def bar_left_end():
    """108: left end of the bar and the window's top-left corner."""
    def outside(y, x):
        return y < 0 or x < 0 or (y, x) in TOP_LEFT_MASK

    def edge(y, x):
        return any(outside(y + dy, x + dx) for dy in (-1, 0, 1) for dx in (-1, 0, 1))

    image = []
    for y in range(BAR_HEIGHT):
        row = []
        for x in range(END_WIDTH):
            if outside(y, x):
                row.append(BLACK)
            elif edge(y, x):
                row.append((132, 132, 135) if y < 25 else (128, 128, 130))
            elif y >= 25:
                row.append(BAR_ROWS[y])
            elif edge(y - 1, x):
                row.append((250, 250, 252))
            elif edge(y, x - 1):
                # A soft light down the window's side, under the top's shine.
                row.append(shade(BAR_ROWS[y], 10))
            else:
                row.append(shade(BAR_ROWS[y], END_COLUMN_LIFT[x]))
        image.append(row)
    return image


def mirror(image):
    return [list(reversed(row)) for row in image]


def bottom_corner_left():
    """102: bottom-left corner mask; only its black pixels matter."""
    black = {(1, 0), (2, 0), (3, 0), (3, 1), (4, 0), (4, 1), (4, 2), (4, 3)}
    return [[BLACK if (y, x) in black else (96, 96, 98) for x in range(5)] for y in range(5)]


# ---- glass balls -----------------------------------------------------------

BALLS = {
    # base, rim, glyph
    "red": ((232, 72, 60), (150, 24, 18), (96, 8, 4)),
    "yellow": ((250, 196, 52), (186, 122, 10), (122, 72, 0)),
    "green": ((104, 198, 72), (40, 122, 26), (18, 84, 8)),
    "grey": ((206, 206, 210), (138, 138, 144), None),
}


def glyph_ink(kind, u, v, size):
    """Coverage of the hover glyph at (u, v) from the ball's centre."""
    arm = size * 0.19
    half = size * 0.045 + 0.3
    if kind == "cross":
        if abs(u) > arm + half or abs(v) > arm + half:
            return False
        return abs(u - v) / math.sqrt(2) < half or abs(u + v) / math.sqrt(2) < half
    if kind == "bar":
        return abs(u) <= arm + half * 0.5 and abs(v) < half
    if kind == "plus":
        return (abs(u) <= arm + half * 0.5 and abs(v) < half) or (abs(v) <= arm + half * 0.5 and abs(u) < half)
    return False


def ball_colour(colours, pressed, glyph, size, u, v, r):
    base, rim, ink = colours
    if pressed:
        base = shade(base, -40)
        rim = shade(rim, -30)
    d = math.hypot(u, v) / r
    if d > 1.0 - 1.1 / r:
        return mix(rim, (60, 60, 60), 0.15)
    colour = mix(base, rim, max(0.0, (d - 0.35) / 0.65) ** 1.6)
    # Light through the glass pools at the bottom.
    glow = max(0.0, v / r) * max(0.0, 1.0 - d) * 1.4
    colour = mix(colour, shade(base, 50), min(1.0, glow))
    # The specular highlight: a soft ellipse in the upper half.
    hu, hv = u / (r * 0.62), (v + r * 0.5) / (r * 0.34)
    h = hu * hu + hv * hv
    if h < 1.0:
        strength = (1.0 - h) ** 0.7 * (0.55 if pressed else 0.8)
        colour = mix(colour, (255, 255, 255), strength)
    # The glyph sits on the glass, over the highlight.
    if glyph and glyph_ink(glyph, u, v, size):
        colour = mix(ink, colour, 0.15)
    return colour


def ball(name, size, background, pressed=False, glyph=None, samples=4):
    """A glass ball on magenta; the anti-aliased rim is blended with the
    background it will be drawn on (background(row, column))."""
    colours = BALLS[name]
    r = size / 2.0
    image = []
    for y in range(size):
        row = []
        for x in range(size):
            inside = 0
            total = [0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    u = x + (sx + 0.5) / samples - r
                    v = y + (sy + 0.5) / samples - r
                    if math.hypot(u, v) <= r - 0.25:
                        c = ball_colour(colours, pressed, glyph, size, u, v, r - 0.25)
                        inside += 1
                        for i in range(3):
                            total[i] += c[i]
            coverage = inside / float(samples * samples)
            if coverage < 0.2:
                row.append(MAGENTA)
                continue
            own = tuple(t / inside for t in total)
            row.append(as_pixel(mix(background(y, x), own, coverage)))
        image.append(row)
    return image


def bar_background(y, x):
    return BAR_ROWS[BUTTON_TOP + y]


# ---- the mini strip --------------------------------------------------------

def strip_column(x):
    if x == 0:
        return (250, 250, 252)
    if x == 19:
        return (132, 132, 135)
    if x == 18:
        return (196, 196, 199)
    level = 240 - (x - 1) * 1.5 + (-3 if x % 2 else 1)
    return (clamp(level), clamp(level), clamp(level + 3))


def mini_background():
    """116: the vertical strip, with a grey ball under each button."""
    image = []
    for y in range(64):
        row = []
        for x in range(20):
            c = strip_column(x)
            if y == 0:
                c = (250, 250, 252) if 0 < x < 19 else c
            elif y == 63:
                c = (132, 132, 135)
            row.append(c)
        image.append(row)
    for left, top in MINI_BUTTONS:
        grey = ball("grey", MINI_BALL, lambda y, x, l=left, t=top: image[t + y][l + x])
        for y in range(MINI_BALL):
            for x in range(MINI_BALL):
                if grey[y][x] != MAGENTA:
                    image[top + y][left + x] = grey[y][x]
    return image


def mini_ball_background(y, x):
    return strip_column(6 + x)


# ---- titles ----------------------------------------------------------------

# A small proportional pixel font: cap height 8, x-height 6, descender 2.
# Each glyph is its rows from the cap line down; '#' is ink.
FONT = {
    "i": ["#", ".", "#", "#", "#", "#", "#", "#"],
    "l": ["#", "#", "#", "#", "#", "#", "#", "#"],
    "T": ["#######", "...#...", "...#...", "...#...", "...#...", "...#...", "...#...", "...#..."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#....", "#####"],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", "#...#"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", "#...#", ".###."],
    "s": [".....", ".....", ".###.", "#....", ".###.", "....#", "#...#", ".###."],
    "q": [".....", ".....", ".##.#", "#..##", "#...#", "#...#", "#..##", ".##.#", "....#", "....#"],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", "#..##", ".##.#"],
    "z": [".....", ".....", "#####", "...#.", "..#..", ".#...", "#....", "#####"],
    "r": ["....", "....", "#.##", "##..", "#...", "#...", "#...", "#..."],
}


def title(word, width, height, ink, background_row, top=1):
    """The word centred on the bar's own rows, with a light etched shadow
    one pixel below the ink."""
    advance = sum(len(FONT[c][0]) for c in word) + len(word) - 1
    left = (width - advance) // 2
    ink_at = set()
    x = left
    for c in word:
        for gy, line in enumerate(FONT[c]):
            for gx, mark in enumerate(line):
                if mark == "#":
                    ink_at.add((top + gy, x + gx))
        x += len(FONT[c][0]) + 1
    image = []
    for y in range(height):
        row = []
        for x in range(width):
            back = background_row(y)
            if (y, x) in ink_at:
                row.append(ink)
            elif (y - 1, x) in ink_at:
                row.append(shade(back, 24))
            else:
                row.append(back)
        image.append(row)
    return image


def squeezed_bar_row(y):
    """Row y of the bar as the equalizer paints it: the 28 rows stretched to
    26 with linear filtering."""
    source = (y + 0.5) * BAR_HEIGHT / (BAR_HEIGHT - 2) - 0.5
    below = int(math.floor(source))
    t = source - below
    a = BAR_ROWS[max(0, below)]
    b = BAR_ROWS[min(BAR_HEIGHT - 1, below + 1)]
    return as_pixel(mix(a, b, t))


# ---- files -----------------------------------------------------------------

def palette_of(image):
    colours = sorted({c for row in image for c in row})
    assert len(colours) <= 256, "more colours than an 8-bit palette holds"
    return colours


def rle8_row(indices):
    """One row in the 8-bit run-length encoding: runs of one index as
    (count, index), other stretches of three or more as absolute runs."""
    out = bytearray()
    x, n = 0, len(indices)
    while x < n:
        run = 1
        while x + run < n and run < 255 and indices[x + run] == indices[x]:
            run += 1
        if run >= 3 or n - x < 3:
            out += bytes((run, indices[x]))
            x += run
            continue
        end = x
        while end < n and end - x < 255 and not (end + 2 < n and indices[end] == indices[end + 1] == indices[end + 2]):
            end += 1
        if end - x < 3:
            out += bytes((1, indices[x]))
            x += 1
            continue
        out += bytes((0, end - x)) + bytes(indices[x:end])
        if (end - x) % 2:
            out += b"\0"
        x = end
    return out + b"\0\0"


def encode_bmp(image):
    """8 bits per pixel with a palette of the image's own colours (every
    image has fewer than 256), run-length encoded where that is smaller: the
    pixels stay exact at a fraction of 24-bit size."""
    height = len(image)
    width = len(image[0])
    colours = palette_of(image)
    index = {c: i for i, c in enumerate(colours)}
    rows = [[index[c] for c in row] for row in reversed(image)]
    stride = (width + 3) & ~3
    raw = b"".join(bytes(row) + bytes(stride - width) for row in rows)
    rle = b"".join(rle8_row(row) for row in rows) + b"\0\1"
    compression, pixels = (1, rle) if len(rle) < len(raw) else (0, raw)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, compression, len(pixels), 2835, 2835,
                       len(colours), 0)
    return header + info + palette + pixels


def decode_bmp(data):
    """The pixels of a file encode_bmp wrote, top row first: the check that
    the encoding keeps every pixel."""
    offset, = struct.unpack_from("<I", data, 10)
    _, width, height, _, bits, compression, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", data, 14)
    assert bits == 8
    palette = [tuple(reversed(data[54 + 4 * i:57 + 4 * i])) for i in range(used)]
    pixels = data[offset:]
    rows = []
    if compression == 0:
        stride = (width + 3) & ~3
        rows = [list(pixels[y * stride:y * stride + width]) for y in range(height)]
    else:
        row, at = [], 0
        while True:
            count, value = pixels[at], pixels[at + 1]
            at += 2
            if count:
                row += [value] * count
            elif value == 0:
                rows.append(row)
                row = []
            elif value == 1:
                break
            else:
                row += list(pixels[at:at + value])
                at += value + value % 2
    assert len(rows) == height and all(len(r) == width for r in rows)
    return [[palette[i] for i in row] for row in reversed(rows)]


def write_bmp(path, image):
    data = encode_bmp(image)
    assert decode_bmp(data) == [[tuple(c) for c in row] for row in image], path
    with open(path, "wb") as f:
        f.write(data)


def check(name, image, size, shape_black=None):
    assert (len(image[0]), len(image)) == size, name
    if shape_black is not None:
        for y, row in enumerate(image):
            for x, c in enumerate(row):
                assert (c == BLACK) == ((y, x) in shape_black), (name, y, x, c)


def main():
    left_end = bar_left_end()
    right_end = mirror(left_end)
    corner_left = bottom_corner_left()
    corner_right = mirror(corner_left)
    full_title = lambda y: BAR_ROWS[TITLE_Y + y]
    eq_title = lambda y: squeezed_bar_row(TITLE_Y + y)

    bitmaps = [
        # id name, file, image, size
        ("IDB_CORNER_BOTTOM_LEFT", "corner-bottom-left", corner_left, (5, 5)),
        ("IDB_CORNER_BOTTOM_RIGHT", "corner-bottom-right", corner_right, (5, 5)),
        ("IDB_BAR_CLOSE", "bar-close", ball("red", BALL, bar_background), (16, 16)),
        ("IDB_BAR_CLOSE_HOVER", "bar-close-hover", ball("red", BALL, bar_background, glyph="cross"), (16, 16)),
        ("IDB_BAR_CLOSE_PRESSED", "bar-close-pressed",
         ball("red", BALL, bar_background, pressed=True, glyph="cross"), (16, 16)),
        ("IDB_BAR_INACTIVE", "bar-inactive", ball("grey", BALL, bar_background), (16, 16)),
        ("IDB_BAR_LEFT", "bar-left", left_end, (11, 28)),
        ("IDB_BAR_ZOOM", "bar-zoom", ball("green", BALL, bar_background), (16, 16)),
        ("IDB_BAR_ZOOM_HOVER", "bar-zoom-hover", ball("green", BALL, bar_background, glyph="plus"), (16, 16)),
        ("IDB_BAR_ZOOM_PRESSED", "bar-zoom-pressed",
         ball("green", BALL, bar_background, pressed=True, glyph="plus"), (16, 16)),
        ("IDB_BAR_MIDDLE", "bar-middle", bar_middle(BAR_MIDDLE_WIDTH), (1225, 28)),
        ("IDB_BAR_MINIMIZE", "bar-minimize", ball("yellow", BALL, bar_background), (16, 16)),
        ("IDB_BAR_MINIMIZE_HOVER", "bar-minimize-hover",
         ball("yellow", BALL, bar_background, glyph="bar"), (16, 16)),
        ("IDB_BAR_MINIMIZE_PRESSED", "bar-minimize-pressed",
         ball("yellow", BALL, bar_background, pressed=True, glyph="bar"), (16, 16)),
        ("IDB_MINI_BACKGROUND", "mini-background", mini_background(), (20, 64)),
        ("IDB_MINI_CLOSE", "mini-close", ball("red", MINI_BALL, mini_ball_background), (12, 12)),
        ("IDB_MINI_CLOSE_HOVER", "mini-close-hover",
         ball("red", MINI_BALL, mini_ball_background, glyph="cross"), (12, 12)),
        ("IDB_MINI_CLOSE_PRESSED", "mini-close-pressed",
         ball("red", MINI_BALL, mini_ball_background, pressed=True, glyph="cross"), (12, 12)),
        ("IDB_MINI_INACTIVE", "mini-inactive", ball("grey", MINI_BALL, mini_ball_background), (12, 12)),
        ("IDB_MINI_ZOOM", "mini-zoom", ball("green", MINI_BALL, mini_ball_background), (12, 12)),
        ("IDB_MINI_ZOOM_HOVER", "mini-zoom-hover",
         ball("green", MINI_BALL, mini_ball_background, glyph="plus"), (12, 12)),
        ("IDB_MINI_ZOOM_PRESSED", "mini-zoom-pressed",
         ball("green", MINI_BALL, mini_ball_background, pressed=True, glyph="plus"), (12, 12)),
        ("IDB_MINI_MINIMIZE", "mini-minimize", ball("yellow", MINI_BALL, mini_ball_background), (12, 12)),
        ("IDB_MINI_MINIMIZE_HOVER", "mini-minimize-hover",
         ball("yellow", MINI_BALL, mini_ball_background, glyph="bar"), (12, 12)),
        ("IDB_MINI_MINIMIZE_PRESSED", "mini-minimize-pressed",
         ball("yellow", MINI_BALL, mini_ball_background, pressed=True, glyph="bar"), (12, 12)),
        ("IDB_BAR_RIGHT", "bar-right", right_end, (11, 28)),
        ("IDB_TITLE_ACTIVE", "title-active", title("iTunes", 40, 10, (0, 0, 0), full_title), (40, 10)),
        ("IDB_TITLE_INACTIVE", "title-inactive", title("iTunes", 40, 10, (128, 128, 130), full_title), (40, 10)),
        ("IDB_EQ_TITLE_INACTIVE", "eq-title-inactive",
         title("Equalizer", 57, 13, (128, 128, 130), eq_title), (57, 13)),
        ("IDB_EQ_TITLE_ACTIVE", "eq-title-active", title("Equalizer", 57, 13, (0, 0, 0), eq_title), (57, 13)),
        ("IDB_EQ_MIDDLE", "eq-middle", bar_middle(EQ_MIDDLE_WIDTH), (436, 28)),
    ]

    corner_black = {(1, 0), (2, 0), (3, 0), (3, 1), (4, 0), (4, 1), (4, 2), (4, 3)}
    mirrored = lambda cells, width: {(y, width - 1 - x) for y, x in cells}
    shapes = {
        "corner-bottom-left": corner_black,
        "corner-bottom-right": mirrored(corner_black, 5),
        "bar-left": TOP_LEFT_MASK,
        "bar-right": mirrored(TOP_LEFT_MASK, END_WIDTH),
    }
    os.makedirs(OUT_DIR, exist_ok=True)
    lines = ["/* Generated by tools/make-bitmaps.py: the skin's bitmaps. */"]
    for macro, name, image, size in bitmaps:
        check(name, image, size, shapes.get(name))
        if name.startswith(("bar-", "mini-")) and size in ((16, 16), (12, 12)):
            assert image[0][0] == MAGENTA and image[-1][-1] == MAGENTA, name
        write_bmp(os.path.join(OUT_DIR, name + ".bmp"), image)
        lines.append('%-26s BITMAP "resources/bitmaps/%s.bmp"' % (macro, name))
    assert len(bitmaps) == 31
    with open(RC_PATH, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
