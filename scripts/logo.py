#!/usr/bin/env python3
"""Draws examples/logo.png: a thermometer on an orange disc, 64 by 64, with
soft (partly transparent) edges. Run it again to remake the file exactly."""
import struct
import sys
import zlib
from pathlib import Path

SIZE = 64
SAMPLES = 4  # per pixel each way, for the soft edges
ORANGE = (0xE8, 0x60, 0x2C)
WHITE = (0xFF, 0xFF, 0xFF)


def inside_capsule(x, y, left, top, right, bottom):
    """A vertical bar with round ends."""
    radius = (right - left) / 2
    cx = (left + right) / 2
    if top + radius <= y <= bottom - radius:
        return left <= x <= right
    cy = top + radius if y < top + radius else bottom - radius
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def inside_circle(x, y, cx, cy, radius):
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def colour_at(x, y):
    """None outside the logo, else its colour at the point."""
    glass = inside_capsule(x, y, 26.5, 9, 37.5, 44) or inside_circle(x, y, 32, 45, 9)
    mercury = inside_capsule(x, y, 30, 16, 34, 44) or inside_circle(x, y, 32, 45, 5.5)
    if glass and not mercury:
        return WHITE
    if inside_circle(x, y, 32, 32, 30):
        return ORANGE
    return None


def pixel(px, py):
    covered, red, green, blue = 0, 0, 0, 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            if colour is None:
                continue
            covered += 1
            red, green, blue = red + colour[0], green + colour[1], blue + colour[2]
    if covered == 0:
        return bytes(4)
    alpha = round(255 * covered / SAMPLES**2)
    return bytes((round(red / covered), round(green / covered), round(blue / covered), alpha))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def main():
    rows = b"".join(b"\0" + b"".join(pixel(x, y) for x in range(SIZE)) for y in range(SIZE))
    png = (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
        + chunk(b"IDAT", zlib.compress(rows, 9))
        + chunk(b"IEND", b"")
    )
    target = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "examples/logo.png")
    target.write_bytes(png)


main()
