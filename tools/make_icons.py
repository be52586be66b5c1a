#!/usr/bin/env python3
"""Draws the Ovantis icon (a die showing five, on a blue tile) as an SVG and as
32-bit PNG files from 16 to 256 pixels, with no imaging library. The output
depends on nothing but this file, so a rerun changes no bytes."""
import struct
import sys
import zlib


def png(width, height, pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    rows = b"".join(b"\0" + bytes(pixels[y * width * 4:(y + 1) * width * 4]) for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def coverage(size, inside, samples=4):
    """Antialiased coverage of a shape given as inside(x, y) in 0..1 units."""
    def cover(px, py):
        hits = 0
        for sy in range(samples):
            for sx in range(samples):
                hits += inside((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
        return hits / (samples * samples)
    return cover


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


SIZES = (16, 32, 48, 64, 128, 256)
ICO_SIZES = (16, 32, 48)
TILE = (0.04, 0.04, 0.96, 0.96, 0.2)
DIE = (0.2, 0.2, 0.8, 0.8, 0.1)
SPOTS = [(0.33, 0.33), (0.67, 0.33), (0.5, 0.5), (0.33, 0.67), (0.67, 0.67)]
SPOT_RADIUS = 0.075


def icon(size):
    tile = coverage(size, rounded(*TILE))
    die = coverage(size, rounded(*DIE))
    spots = SPOTS
    # Bigger spots keep the five readable at the smallest size.
    radius = SPOT_RADIUS if size > 16 else 0.09
    spot = coverage(size, lambda x, y: any((x - a) ** 2 + (y - b) ** 2 <= radius ** 2 for a, b in spots))
    pixels = []
    for y in range(size):
        for x in range(size):
            t, d, s = tile(x, y), die(x, y), spot(x, y)
            blue = (37, 99, 235)
            white = (255, 255, 255)
            dark = (30, 41, 59)
            color = [blue[i] * (1 - d) + white[i] * d for i in range(3)]
            color = [color[i] * (1 - s) + dark[i] * s for i in range(3)]
            pixels += [round(c) for c in color] + [round(255 * t)]
    return png(size, size, pixels)


def ico(images):
    """An .ico holding the PNG images, for the Windows resources."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(data for _, data in images)


def svg():
    """The same shapes as icon(), on a 256-unit canvas."""
    def num(v):
        return f"{v * 256:g}"

    def rect(x0, y0, x1, y1, r, fill):
        return (f'  <rect x="{num(x0)}" y="{num(y0)}" width="{num(x1 - x0)}" height="{num(y1 - y0)}"'
                f' rx="{num(r)}" fill="{fill}"/>\n')

    body = rect(*TILE, "#2563eb") + rect(*DIE, "#ffffff")
    for a, b in SPOTS:
        body += f'  <circle cx="{num(a)}" cy="{num(b)}" r="{num(SPOT_RADIUS)}" fill="#1e293b"/>\n'
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
            + body + "</svg>\n")


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "res/icons"
    images = {size: icon(size) for size in SIZES}
    for size, data in images.items():
        with open(f"{out}/ovantis-{size}.png", "wb") as f:
            f.write(data)
    with open(f"{out}/ovantis.svg", "w", encoding="utf-8") as f:
        f.write(svg())
    with open(f"{out}/ovantis.ico", "wb") as f:
        f.write(ico([(size, images[size]) for size in ICO_SIZES]))
