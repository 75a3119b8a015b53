#!/usr/bin/env python3
"""Draws the two picker cursors (32x32, 32-bit with alpha) into resources/Cursors/."""
import os
import struct

SIZE, HOT = 32, 15


def crosshair(pixels):
    for i in range(SIZE - 2):
        if abs(i - HOT) > 2:  # a small gap around the hot spot
            pixels[HOT][i + 1] = pixels[i + 1][HOT] = "black"


def outline(pixels):
    """A white border around every black pixel, so the cursor shows on dark and light screens."""
    black = {(y, x) for y in range(SIZE) for x in range(SIZE) if pixels[y][x] == "black"}
    for y, x in black:
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                ny, nx = y + dy, x + dx
                if 0 <= ny < SIZE and 0 <= nx < SIZE and (ny, nx) not in black:
                    pixels[ny][nx] = "white"


def window_glyph(pixels):
    """A small window with a title bar below right of the hot spot."""
    top, left, bottom, right = 19, 19, 30, 30
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = y in (top, bottom) or x in (left, right) or y == top + 2
            pixels[y][x] = "black" if edge else "white"


def write_cursor(path, pixels):
    colours = {"black": (0, 0, 0, 255), "white": (255, 255, 255, 255), None: (0, 0, 0, 0)}
    xor = b"".join(bytes(colours[pixels[y][x]][2::-1] + colours[pixels[y][x]][3:])
                   for y in reversed(range(SIZE)) for x in range(SIZE))
    mask = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (pixels[y][x] is None)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOT, HOT, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "Cursors")
    os.makedirs(folder, exist_ok=True)
    region = [[None] * SIZE for _ in range(SIZE)]
    crosshair(region)
    outline(region)
    write_cursor(os.path.join(folder, "SelectRegion.cur"), region)
    window = [[None] * SIZE for _ in range(SIZE)]
    crosshair(window)
    outline(window)
    window_glyph(window)
    write_cursor(os.path.join(folder, "SelectWindow.cur"), window)


if __name__ == "__main__":
    main()
