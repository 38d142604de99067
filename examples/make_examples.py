#!/usr/bin/env python3
"""Makes the example data set: three synthetic specimen images (a dark leaf-like object on a
light ground with a 100-pixel scale bar) and an LMK file that refers to them.

Everything is computed here; run it again to rebuild the files byte for byte."""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 400, 300
BAR_PIXELS = 100      # the scale bar is 100 pixels long ...
BAR_MM = 5.0          # ... and stands for 5 mm


def write_png(path, rows, width, height):
    """8-bit grey PNG without any library beyond zlib."""
    raw = b"".join(b"\x00" + bytes(r) for r in rows)

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def leaf(k):
    """Centre, half-length, half-width and tilt of specimen k."""
    return 200 + 6 * k, 140 - 4 * k, 120 - 10 * k, 55 + 5 * k, 0.15 * (k - 1)


def inside(k, col, row):
    cx, cy, a, b, t = leaf(k)
    dx, dy = col - cx, row - cy
    u = dx * math.cos(t) + dy * math.sin(t)
    v = -dx * math.sin(t) + dy * math.cos(t)
    if abs(u) >= a:
        return False
    # A leaf: the width tapers towards both tips, more towards the apex (u > 0).
    s = u / a
    half = b * (1 - s * s) * (1 - 0.35 * s)
    return abs(v) < half


def make_image(k):
    mask = [[inside(k, c, r) for c in range(W)] for r in range(H)]
    rows = []
    for r in range(H):
        row = []
        for c in range(W):
            shade = 225 + ((c * 7 + r * 13) % 11)  # a light, slightly textured ground
            if mask[r][c]:
                shade = 40 + ((c + 2 * r) % 9)
            row.append(shade)
        rows.append(row)
    for r in range(H - 30, H - 24):  # scale bar at the bottom left
        for c in range(20, 20 + BAR_PIXELS):
            rows[r][c] = 0
    return rows, mask


def tip_points(k):
    """Bitmap positions of the two tips and the widest points of specimen k."""
    cx, cy, a, b, t = leaf(k)

    def at(u, v):
        return (cx + u * math.cos(t) - v * math.sin(t), cy + u * math.sin(t) + v * math.cos(t))

    s = -1 / 3.0  # where the tapered leaf is widest
    half = b * (1 - s * s) * (1 - 0.35 * s)
    return [at(a - 2, 0), at(s * a, -half + 2), at(-a + 2, 0), at(s * a, half - 2)]


def trace(mask):
    """Chain code of the object's outer boundary (8-connected, counter-clockwise, y upwards)."""
    # Start at the first object pixel of the leftmost column that has one.
    start = None
    for c in range(W):
        for r in range(H):
            if mask[r][c]:
                start = (c, r)
                break
        if start:
            break
    # Directions in bitmap terms for codes 0..7 (y upwards in the data: row decreases).
    steps = [(1, 0), (1, -1), (0, -1), (-1, -1), (-1, 0), (-1, 1), (0, 1), (1, 1)]

    def obj(c, r):
        return 0 <= c < W and 0 <= r < H and mask[r][c]

    codes = []
    c, r = start
    d = 6  # we came from the west, heading south along the left edge
    while True:
        for i in range(8):
            nd = (d + 6 + i) % 8  # turn right first, then sweep counter-clockwise
            dc, dr = steps[nd]
            if obj(c + dc, r + dr):
                codes.append(nd)
                c, r, d = c + dc, r + dr, nd
                break
        else:
            break
        if (c, r) == start and len(codes) > 2:
            break
    return start, codes


def fmt(v):
    return "%.5f" % v


def main():
    lines = []
    for k in (1, 2, 3):
        rows, mask = make_image(k)
        name = "specimen%d.png" % k
        write_png(os.path.join(HERE, name), rows, W, H)
        pts = tip_points(k)
        # Landmarks in data coordinates: y grows upwards from the bottom of the image.
        lms = [(x, H - y) for x, y in pts]
        if k == 2:
            lms[3] = (-1.0, -1.0)  # the fourth landmark is missing on this specimen
        lines.append("LM=%d" % len(lms))
        lines += ["%s %s" % (fmt(x), fmt(y)) for x, y in lms]
        if k != 3:
            # A background curve along the midrib, from the base towards the apex.
            cx, cy, a, b, t = leaf(k)
            curve = []
            for i in range(6):
                u = -a + 10 + i * (2 * a - 20) / 5.0
                curve.append((cx + u * math.cos(t), H - (cy + u * math.sin(t))))
            lines.append("CURVES=1")
            lines.append("POINTS=%d" % len(curve))
            lines += ["%s %s" % (fmt(x), fmt(y)) for x, y in curve]
        if k == 1:
            (sc, sr), codes = trace(mask)
            lines.append("OUTLINES=1")
            lines.append("CHAIN=%d" % len(codes))
            lines.append("%d %d" % (sc, H - 1 - sr))  # grid rows count from the bottom
            digits = "".join(str(c) for c in codes)
            lines += [digits[i:i + 100] for i in range(0, len(digits), 100)]
        lines.append("IMAGE=%s" % name)
        lines.append("ID=leaf-%02d" % k)
        if k == 1:
            lines.append("COMMENT=synthetic example, scale bar 5 mm")
        lines.append("SCALE=%.6f" % (BAR_MM / BAR_PIXELS))
    with open(os.path.join(HERE, "specimens.lmk"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
