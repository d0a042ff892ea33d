#!/usr/bin/env python3
"""Build the desktop icons (PNG, hicolor theme) from the window icon's pixel art.

    python3 tools/make_icons.py

Reads resources/icons/viltron.xpm (32 x 32, written by make_pixmaps.py) and
writes packaging/icons/hicolor/<S>x<S>/apps/viltron.png for S = 16, 32, 48,
64, 128 and 256 (installed under the application id's name).

32 is the art itself and 64, 128, 256 repeat every pixel 2, 4 and 8 times, so
the pixel art stays crisp.  The two sizes that are no whole multiple average
areas instead of dropping pixels: 16 takes the mean of each 2 x 2 block, 48
the mean of each 2 x 2 block of the art drawn at 3x (every art pixel covers
1.5 icon pixels).  Each file is read back and compared with the art.
"""

import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_pixmaps import ROOT, read_xpm  # noqa: E402

SIZES = (16, 32, 48, 64, 128, 256)
SOURCE = os.path.join(ROOT, "resources", "icons", "viltron.xpm")
THEME = os.path.join(ROOT, "packaging", "icons", "hicolor")


def magnify(pixels, factor):
    return [[c for c in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def halve(pixels):
    """Each output pixel is the rounded mean of a 2 x 2 block."""
    out = []
    for y in range(0, len(pixels), 2):
        row = []
        for x in range(0, len(pixels[y]), 2):
            block = (pixels[y][x], pixels[y][x + 1], pixels[y + 1][x], pixels[y + 1][x + 1])
            row.append(tuple((sum(c[i] for c in block) + 2) // 4 for i in range(3)))
        out.append(row)
    return out


def scaled(art, size):
    if size % len(art) == 0:
        return magnify(art, size // len(art))
    if (2 * size) % len(art) == 0:
        return halve(magnify(art, 2 * size // len(art)))
    raise ValueError("no scale for %d px" % size)


def png(pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(v for c in row for v in c) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def read_png(path):
    """Reads back a PNG written by png(): 8-bit RGB, filter 0 on every row."""
    with open(path, "rb") as f:
        data = f.read()
    width, height = struct.unpack(">II", data[16:24])
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"IDAT":
            idat += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + 3 * width
    return [[tuple(raw[y * stride + 1 + 3 * x:y * stride + 4 + 3 * x]) for x in range(width)]
            for y in range(height)]


def main():
    width, height, _, art = read_xpm(SOURCE)
    if any(c is None for row in art for c in row):
        print("%s: transparent pixels, the icon must be opaque" % SOURCE)
        return 1
    failed = False
    for size in SIZES:
        path = os.path.join(THEME, "%dx%d" % (size, size), "apps", "viltron.png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(png(scaled(art, size)))
        back = read_png(path)
        ok = len(back) == size and back == scaled(art, size)
        # A whole-pixel scale must show every art pixel unchanged.
        if size % width == 0:
            step = size // width
            ok = ok and all(back[y * step][x * step] == art[y][x]
                            for y in range(height) for x in range(width))
        print("%-60s %s" % (os.path.relpath(path, ROOT), "ok" if ok else "BAD"))
        failed = failed or not ok
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
