#!/usr/bin/env python3
"""Build the game's pixel art (XPM) from the ASCII drawings below.

    python3 tools/make_pixmaps.py

Writes
    resources/icons/MAINICON.xpm    the knight drawn on the board cells
    resources/cursors/Cursor_0.xpm  mouse cursor: pointer tip plus a small knight
    resources/icons/viltron.xpm     window icon: the knight on a chequered square

Each drawing is one character per pixel; the palettes below say what the
characters mean ('.' is always transparent).  After writing, every file is
parsed back and its size, colours and painted area are checked, because the
board and the cursor code rely on where the figure sits inside the 32 x 32
image.
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIZE = 32

# The knight as it stands on a board cell: head facing left, mane down the
# back, on a plinth.  Gold with a black outline, so it shows on white cells
# (through the outline) and on black ones (through the fill).
KNIGHT = """
.............#..#........
............#h#.#d#......
............#hod#d#......
...........#hoooomd#.....
..........#hoooooodm#....
........##hoooooooddm#...
.......#hooo##oooomdd#...
......#hoooo#woooodmdd#..
.....#hooooooooooooddmd#.
....#hoooooooooooooomdd#.
...#hooooooooooooooodmd#.
..#ho#oooooooooooooddmd#.
.#ooooooooooooooooooddm#.
.#oo###oooooooooooooomd#.
.##oooo##o#ooooooooodmd#.
..#####..#ooooooooooddm#.
.........#ooooooooooomd#.
........#ooooooooooodmd#.
......##ooooooooooooddm#.
...#####################.
..#hhhhhhhhhhhhhhhhhhhhh#
..#ooooooooooooooooooddd#
..#######################
"""

KNIGHT_COLOURS = {
    "#": (0x00, 0x00, 0x00),  # outline, eye, nostril, mouth
    "o": (0xE3, 0x9B, 0x2F),  # body
    "h": (0xF8, 0xD2, 0x7A),  # light catching the front edges
    "d": (0xA8, 0x62, 0x1B),  # shaded side of the neck
    "m": (0x6E, 0x3A, 0x0C),  # mane strands
    "w": (0xFF, 0xFF, 0xFF),  # glint in the eye
}

# The cursor: a small pointer tip at the hot spot (0, 0) and a knight hanging
# below and to the right of it.  Black and white so it reads on anything.
CURSOR_TIP = """
#
##
#w#
#ww#
#www#
#####
"""

CURSOR_KNIGHT = """
.........#..#.....
........#w##g#....
.......#wwwwgg#...
......#wwwwwwgg#..
.....#ww##wwwwgg#.
....#wwww#wwwwgg#.
...#wwwwwwwwwwwgg#
..#wwwwwwwwwwwwgg#
.#w#wwwwwwwwwwwgg#
#wwwwwwwwwwwwwwgg#
#w###wwwwwwwwwwgg#
.#www##w#wwwwwwgg#
..####.#wwwwwwwgg#
.......#wwwwwwwgg#
......#wwwwwwwwgg#
....##wwwwwwwwwgg#
..################
.#wwwwwwwwwwwwwwg#
.#################
"""

CURSOR_COLOURS = {
    "#": (0x00, 0x00, 0x00),
    "w": (0xFF, 0xFF, 0xFF),
    "g": (0xA0, 0xA0, 0xA0),  # mane, a shade off the white body
}

# Where the drawings go inside the 32 x 32 images (column, row).
# Columns 1..24: the figure stays inside its 25-pixel cell, so a knight that
# moves on leaves no trace on the neighbouring cells.
KNIGHT_AT = (0, 1)
CURSOR_KNIGHT_AT = (5, 4)
ICON_KNIGHT_AT = (3, 5)

# Painted area allowed in each image, inclusive (left, top, right, bottom).
MAINICON_BOX = (1, 1, 24, 23)
CURSOR_BOX = (0, 0, 23, 22)

# Window icon board: 4 x 4 squares of 8 pixels, light and dark, each with a
# gentle top-to-bottom shading.
ICON_LIGHT = (0xF2, 0xEE, 0xE6)
ICON_DARK = (0x2E, 0x33, 0x3B)


def parse_art(text, palette):
    rows = [r for r in text.strip("\n").split("\n")]
    width = max(len(r) for r in rows)
    pixels = {}
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == ".":
                continue
            if ch not in palette:
                raise ValueError("unknown character %r at %d,%d" % (ch, x, y))
            pixels[(x, y)] = palette[ch]
    return width, len(rows), pixels


def blank():
    return [[None] * SIZE for _ in range(SIZE)]


def paste(canvas, art, at):
    _, _, pixels = art
    ox, oy = at
    for (x, y), colour in pixels.items():
        canvas[oy + y][ox + x] = colour


def shade(colour, factor):
    return tuple(max(0, min(255, int(round(c * factor)))) for c in colour)


def knight_icon():
    canvas = blank()
    paste(canvas, parse_art(KNIGHT, KNIGHT_COLOURS), KNIGHT_AT)
    return canvas


def cursor():
    canvas = blank()
    paste(canvas, parse_art(CURSOR_TIP, CURSOR_COLOURS), (0, 0))
    paste(canvas, parse_art(CURSOR_KNIGHT, CURSOR_COLOURS), CURSOR_KNIGHT_AT)
    return canvas


def window_icon():
    canvas = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            base = ICON_LIGHT if (x // 8 + y // 8) % 2 == 0 else ICON_DARK
            canvas[y][x] = shade(base, 1.06 - 0.12 * (y % 8) / 7)
    # A soft shadow down and to the right of the piece lifts it off the board.
    art = parse_art(KNIGHT, KNIGHT_COLOURS)
    ox, oy = ICON_KNIGHT_AT
    for (x, y) in art[2]:
        sx, sy = ox + x + 1, oy + y + 1
        if 0 <= sx < SIZE and 0 <= sy < SIZE:
            canvas[sy][sx] = shade(canvas[sy][sx], 0.6)
    paste(canvas, art, ICON_KNIGHT_AT)
    return canvas


KEY_CHARS = (
    ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    "+@$%&*=-;:>,<1/()[]!?^~_|"
)


def to_xpm(name, canvas):
    colours = []
    for row in canvas:
        for c in row:
            if c is not None and c not in colours:
                colours.append(c)
    colours.sort()
    has_none = any(c is None for row in canvas for c in row)
    count = len(colours) + (1 if has_none else 0)
    if count > 256:
        raise ValueError("%s: %d colours" % (name, count))
    # One character per pixel while it fits, two otherwise; "." stays None.
    pool = KEY_CHARS[1:]
    if len(colours) <= len(pool):
        keys = list(pool[: len(colours)])
    else:
        keys = [a + b for a in pool for b in pool][: len(colours)]
    cpp = len(keys[0]) if keys else 1
    key_of = dict(zip(colours, keys))
    none_key = "." * cpp

    lines = ["/* XPM */", "static const char *const %s_xpm[] = {" % name]
    body = ['"%d %d %d %d"' % (SIZE, SIZE, count, cpp)]
    if has_none:
        body.append('"%s c None"' % none_key)
    for c in colours:
        body.append('"%s c #%02X%02X%02X"' % ((key_of[c],) + c))
    for row in canvas:
        body.append('"%s"' % "".join(none_key if c is None else key_of[c] for c in row))
    lines.append(",\n".join(body))
    lines.append("};")
    return "\n".join(lines) + "\n"


def read_xpm(path):
    """Parse an XPM written by to_xpm back into a canvas (None or (r, g, b))."""
    with open(path) as f:
        text = f.read()
    strings = []
    pos = 0
    while True:
        start = text.find('"', pos)
        if start < 0:
            break
        end = text.find('"', start + 1)
        strings.append(text[start + 1:end])
        pos = end + 1
    width, height, ncolours, cpp = (int(v) for v in strings[0].split())
    table = {}
    for entry in strings[1:1 + ncolours]:
        key, kind, value = entry[:cpp], entry[cpp:].split()[0], entry[cpp:].split()[1]
        if kind != "c":
            raise ValueError("%s: unexpected colour kind %r" % (path, kind))
        table[key] = None if value == "None" else tuple(
            int(value[i:i + 2], 16) for i in (1, 3, 5))
    rows = strings[1 + ncolours:]
    if len(rows) != height:
        raise ValueError("%s: %d rows, expected %d" % (path, len(rows), height))
    canvas = []
    for row in rows:
        if len(row) != width * cpp:
            raise ValueError("%s: row of %d characters" % (path, len(row)))
        canvas.append([table[row[i:i + cpp]] for i in range(0, len(row), cpp)])
    return width, height, ncolours, canvas


def painted_box(canvas):
    xs = [x for row in canvas for x, c in enumerate(row) if c is not None]
    ys = [y for y, row in enumerate(canvas) for c in row if c is not None]
    if not xs:
        return None
    return (min(xs), min(ys), max(xs), max(ys))


def inside(box, limit):
    return (box is not None and box[0] >= limit[0] and box[1] >= limit[1]
            and box[2] <= limit[2] and box[3] <= limit[3])


def check(path):
    width, height, ncolours, canvas = read_xpm(path)
    problems = []
    if (width, height) != (SIZE, SIZE):
        problems.append("size %dx%d" % (width, height))
    if ncolours > 256:
        problems.append("%d colours" % ncolours)
    box = painted_box(canvas)
    name = os.path.basename(path)
    if name == "MAINICON.xpm" and not inside(box, MAINICON_BOX):
        problems.append("figure at %s, outside %s" % (box, MAINICON_BOX))
    if name == "Cursor_0.xpm":
        if not inside(box, CURSOR_BOX):
            problems.append("figure at %s, outside %s" % (box, CURSOR_BOX))
        if canvas[0][0] is None:
            problems.append("nothing painted at the hot spot")
    if name == "viltron.xpm" and any(c is None for row in canvas for c in row):
        problems.append("transparent pixels")
    return box, problems


OUTPUTS = [
    ("icons/MAINICON.xpm", "MAINICON", knight_icon),
    ("cursors/Cursor_0.xpm", "Cursor_0", cursor),
    ("icons/viltron.xpm", "viltron", window_icon),
]


def main():
    for rel, name, build in OUTPUTS:
        path = os.path.join(ROOT, "resources", rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(to_xpm(name, build()))

    failed = False
    for rel, _, _ in OUTPUTS:
        path = os.path.join(ROOT, "resources", rel)
        box, problems = check(path)
        status = "ok" if not problems else "BAD: " + ", ".join(problems)
        print("%-22s painted %s  %s" % (rel, box, status))
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
