#!/usr/bin/env python3
"""Build the Windows program icon from the window icon's pixel art.

    python3 tools/make_windows_icon.py

Reads resources/icons/viltron.xpm and writes cmake/windows/viltron.ico with
the same sizes and scaling as the desktop icons (make_icons.py): 16 to 128
as 32-bit bitmaps, 256 as PNG, as Windows keeps them.  The file is read back
and every picture compared with the art.
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import SIZES, SOURCE, png, read_png, scaled  # noqa: E402
from make_pixmaps import ROOT, read_xpm  # noqa: E402

TARGET = os.path.join(ROOT, "cmake", "windows", "viltron.ico")


def dib(pixels):
    """BITMAPINFOHEADER, opaque BGRA rows bottom-up, then an empty AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, 255)) for row in reversed(pixels) for r, g, b in row)
    mask = bytes(((size + 31) // 32) * 4 * size)
    return header + colour + mask


def read_dib(data):
    _, width, height = struct.unpack("<Iii", data[:12])
    rows = [data[40 + 4 * width * y:40 + 4 * width * (y + 1)] for y in range(height // 2)]
    return [[(row[4 * x + 2], row[4 * x + 1], row[4 * x]) for x in range(width)]
            for row in reversed(rows)]


def ico(pictures):
    head = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(head) + 16 * len(pictures)
    entries, blobs = b"", b""
    for size, data in pictures:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        blobs += data
    return head + entries + blobs


def read_ico(data):
    count = struct.unpack("<H", data[4:6])[0]
    out = []
    for i in range(count):
        w, _, _, _, _, _, length, offset = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        out.append((w or 256, data[offset:offset + length]))
    return out


def main():
    _, _, _, art = read_xpm(SOURCE)
    if any(c is None for row in art for c in row):
        print("%s: transparent pixels, the icon must be opaque" % SOURCE)
        return 1
    pictures = [(s, png(scaled(art, s)) if s == 256 else dib(scaled(art, s))) for s in SIZES]
    with open(TARGET, "wb") as f:
        f.write(ico(pictures))
    with open(TARGET, "rb") as f:
        back = read_ico(f.read())
    ok = [s for s, _ in back] == list(SIZES)
    for size, data in back:
        if data.startswith(b"\x89PNG"):
            tmp = TARGET + ".png"
            with open(tmp, "wb") as f:
                f.write(data)
            pixels = read_png(tmp)
            os.remove(tmp)
        else:
            pixels = read_dib(data)
        ok = ok and pixels == scaled(art, size)
    print("%-40s %s" % (os.path.relpath(TARGET, ROOT), "ok" if ok else "BAD"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
