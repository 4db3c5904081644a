#!/usr/bin/env python3
"""Writes the pictures the image tests and the image fuzz driver read: the
same 4 by 2 picture as every kind of PNG and BMP the loader takes, encoded
here rather than by libpng so that the loader is checked against another
encoder, and PNGs just inside and just beyond the size limit. Run it again to
remake them exactly."""
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).parent
WIDTH, HEIGHT = 4, 2
# Row by row, red, green, blue, alpha. Grey kinds take the second picture's red.
COLOUR = [(255, 0, 0, 255), (0, 255, 0, 255), (0x12, 0x34, 0x56, 255), (255, 255, 255, 0),
          (255, 0, 0, 128), (0, 0, 0, 255), (0xAB, 0xCD, 0xEF, 255), (0x80, 0x80, 0x80, 255)]
GREY = [(0, 255), (255, 255), (0x5A, 255), (0x33, 0), (255, 128), (0x10, 255), (0x80, 255),
        (0x7F, 255)]


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, depth, colour_type, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    data = zlib.compress(b"".join(b"\0" + row for row in rows))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", data)
            + chunk(b"IEND", b""))


def samples(values, depth):
    """8-bit values as samples of the depth: 16-bit ones are v * 257, exactly v."""
    return b"".join(bytes((v, v)) if depth == 16 else bytes((v,)) for v in values)


def rows_of(pixels, values, depth):
    return [samples([v for p in pixels[y * WIDTH:(y + 1) * WIDTH] for v in values(p)], depth)
            for y in range(HEIGHT)]


def palette_png(depth, transparency):
    entries = b"".join(bytes(p[:3]) for p in COLOUR)
    alphas = chunk(b"tRNS", bytes(p[3] for p in COLOUR)) if transparency else b""
    per_byte = 8 // depth
    rows = []
    for y in range(HEIGHT):
        row = bytearray()
        for x in range(0, WIDTH, per_byte):
            byte = 0
            for i in range(per_byte):
                byte |= (y * WIDTH + x + i) << (8 - depth * (i + 1))
            row.append(byte)
        rows.append(bytes(row))
    return png(WIDTH, HEIGHT, depth, 3, rows, chunk(b"PLTE", entries) + alphas)


def bmp(bits, top_down, alpha_mask):
    header_size = 108 if alpha_mask else 40
    palette = b"".join(bytes((p[2], p[1], p[0], 0)) for p in COLOUR) if bits == 8 else b""
    row_bytes = (bits * WIDTH + 31) // 32 * 4
    offset = 14 + header_size + len(palette)
    header = struct.pack("<IiiHHIIiiII", header_size, WIDTH, -HEIGHT if top_down else HEIGHT, 1,
                         bits, 3 if alpha_mask else 0, row_bytes * HEIGHT, 2835, 2835,
                         len(COLOUR) if bits == 8 else 0, 0)
    if alpha_mask:
        header += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
        header += bytes(header_size - len(header))
    rows = b""
    for row in range(HEIGHT):
        y = row if top_down else HEIGHT - 1 - row
        data = b""
        for x in range(WIDTH):
            r, g, b, a = COLOUR[y * WIDTH + x]
            if bits == 8:
                data += bytes((y * WIDTH + x,))
            else:
                # Without an alpha mask the fourth byte means nothing: 0 must not hide the pixel.
                data += bytes((b, g, r)) + (bytes((a if alpha_mask else 0,)) if bits == 32 else b"")
        rows += data + bytes(row_bytes - len(data))
    return b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + header + palette + rows


def main():
    files = {
        "grey8.png": png(WIDTH, HEIGHT, 8, 0, rows_of(GREY, lambda p: p[:1], 8)),
        "grey16.png": png(WIDTH, HEIGHT, 16, 0, rows_of(GREY, lambda p: p[:1], 16)),
        "grey-alpha8.png": png(WIDTH, HEIGHT, 8, 4, rows_of(GREY, lambda p: p, 8)),
        "grey-alpha16.png": png(WIDTH, HEIGHT, 16, 4, rows_of(GREY, lambda p: p, 16)),
        "palette8.png": palette_png(8, False),
        "palette8-transparency.png": palette_png(8, True),
        "palette4-transparency.png": palette_png(4, True),
        "rgb8.png": png(WIDTH, HEIGHT, 8, 2, rows_of(COLOUR, lambda p: p[:3], 8)),
        "rgb16.png": png(WIDTH, HEIGHT, 16, 2, rows_of(COLOUR, lambda p: p[:3], 16)),
        "rgba8.png": png(WIDTH, HEIGHT, 8, 6, rows_of(COLOUR, lambda p: p, 8)),
        "rgba16.png": png(WIDTH, HEIGHT, 16, 6, rows_of(COLOUR, lambda p: p, 16)),
        "bmp8-bottom-up.bmp": bmp(8, False, False),
        "bmp24-bottom-up.bmp": bmp(24, False, False),
        "bmp24-top-down.bmp": bmp(24, True, False),
        "bmp32-without-alpha.bmp": bmp(32, False, False),
        "bmp32-alpha-top-down.bmp": bmp(32, True, True),
    }
    for width, height in ((4096, 1), (4097, 1), (1, 4097)):
        files[f"size-{width}x{height}.png"] = png(width, height, 8, 0, [bytes(width)] * height)
    for name, data in files.items():
        (HERE / name).write_bytes(data)


main()
