#!/usr/bin/env python3
"""Draws the program icon (a list sheet with three rows and an export arrow)
and writes it as a Windows .ico with 16, 24, 32 and 48 pixel images."""
import struct
import sys


def pixel(x, y, n):
    """RGBA of the pixel (x, y) of an n x n image, drawn on a 48-unit grid."""
    u, v = x * 48.0 / n, y * 48.0 / n
    if 4 <= u < 38 and 4 <= v < 44:              # the sheet
        if u < 6 or u >= 36 or v < 6 or v >= 42:
            return (40, 70, 120, 255)            # its frame
        if 6 <= v < 13:
            return (70, 120, 190, 255)           # header row
        for top in (17, 25, 33):
            if top <= v < top + 4 and 9 <= u < 33:
                return (90, 90, 90, 255)         # rows
        return (250, 250, 250, 255)
    if 30 <= v < 46 and 30 <= u < 47:            # arrow to the lower right
        du, dv = u - 30, v - 30
        if abs(du - dv) < 3.5 and du < 14:
            return (30, 150, 60, 255)
        if (40 <= u < 47 and 42 <= v < 46) or (43 <= u < 47 and 36 <= v < 46):
            return (30, 150, 60, 255)
    return (0, 0, 0, 0)


def image(n):
    rows = []
    for y in reversed(range(n)):                 # bottom-up rows
        row = b"".join(struct.pack("<BBBB", b, g, r, a)
                       for (r, g, b, a) in (pixel(x, y, n) for x in range(n)))
        rows.append(row)
    mask_stride = ((n + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + b"\0" * (mask_stride * n)


def main(path):
    sizes = (16, 24, 32, 48)
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
