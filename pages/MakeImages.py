#!/usr/bin/env python3
"""Draws the page images into pages/Images/: the four step states as 16 x 16 24-bit BMPs and the
application icon as a 48 x 48 PNG. Run once after a change; the results are kept in the tree."""
import math
import os
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "Images")
WHITE = (255, 255, 255)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def render(size, shade, samples=4):
    """shade(x, y) -> (r, g, b, alpha) at a point in pixel units; averaged over samples^2 points."""
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    r, g, b, a = shade(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha > 0:
                row.append((acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], alpha))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def badge(color, mark):
    """A filled circle of color with a white mark: mark(x, y) -> True inside the mark."""
    def shade(x, y):
        if math.hypot(x - 8, y - 8) > 7.5:
            return (0, 0, 0, 0)
        return WHITE + (1,) if mark(x, y) else color + (1,)
    return shade


def write_bmp(name, pixels):
    size = len(pixels)
    stride = (size * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # bottom-up rows
        line = bytearray()
        for r, g, b, a in row:
            mixed = [round(c * a + 255 * (1 - a)) for c in (r, g, b)]  # over the white page
            line += bytes((mixed[2], mixed[1], mixed[0]))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(header + info + body)


def write_png(name, pixels):
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((round(r), round(g), round(b), round(a * 255)))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(png)


def icon(x, y):
    """Blue rounded square with a white folder and a scan line across it."""
    cx, cy = min(max(x, 6), 42), min(max(y, 6), 42)
    if math.hypot(x - cx, y - cy) > 6:
        return (0, 0, 0, 0)
    blue = (28, 95, 176, 1)
    if 10 <= x <= 38 and 17 <= y <= 36 or 10 <= x <= 22 and 13 <= y <= 18:
        if 12 <= x <= 36 and 25.5 <= y <= 27.5:
            return (255, 176, 32, 1)
        return WHITE + (1,)
    return blue


def main():
    os.makedirs(HERE, exist_ok=True)
    write_bmp("Blank.bmp", render(16, lambda x, y: (0, 0, 0, 0)))
    write_bmp("PresentFocus.bmp", render(16, badge((28, 95, 176), lambda x, y: math.hypot(x - 8, y - 8) < 3)))
    write_bmp("Success.bmp", render(16, badge((38, 136, 64), lambda x, y:
              min(segment_distance(x, y, 4.5, 8.5, 7, 11), segment_distance(x, y, 7, 11, 11.5, 5.5)) < 1.2)))
    write_bmp("Failure.bmp", render(16, badge((192, 40, 40), lambda x, y:
              min(segment_distance(x, y, 5, 5, 11, 11), segment_distance(x, y, 11, 5, 5, 11)) < 1.2)))
    write_png("Tarrow.png", render(48, icon))


if __name__ == "__main__":
    main()
