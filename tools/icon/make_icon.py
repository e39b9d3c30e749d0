#!/usr/bin/env python3
"""Draws the program icon: one 16 x 16 image in 32-bit colour (BGRA with
alpha), a blue disc with a white forward arrow, for walking from one page to
the next. Writes resources/spacevisit.ico; run it after changing the drawing."""
import math
import struct
import sys

SIZE = 16


def pixel(x, y):
    cx = cy = (SIZE - 1) / 2
    d = math.hypot(x - cx, y - cy)
    radius = 7.6
    if d > radius + 0.5:
        return (0, 0, 0, 0)
    coverage = max(0.0, min(1.0, radius + 0.5 - d))
    # Disc: lighter towards the upper left.
    shade = 1.0 - 0.35 * ((x + y) / (2 * (SIZE - 1)))
    r, g, b = int(40 * shade), int(120 * shade), int(230 * shade)
    # Arrow: a shaft and a head pointing right.
    in_shaft = 3 <= x <= 8 and 6 <= y <= 9
    in_head = 8 <= x <= 12 and abs(y - 7.5) <= (12.5 - x)
    if in_shaft or in_head:
        r, g, b = 255, 255, 255
    return (b, g, r, int(255 * coverage))


def ico_bytes():
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        rows.append(b"".join(bytes(pixel(x, y)) for x in range(SIZE)))
    xor = b"".join(rows)
    and_mask = b"\x00" * (4 * SIZE)  # 16 bits a row, padded to 32
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/spacevisit.ico"
    with open(out, "wb") as f:
        f.write(ico_bytes())
