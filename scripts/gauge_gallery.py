#!/usr/bin/env python3
"""Lays out gauge pictures that gaugeview rendered into one PNG: rows of
pictures on the panel's grey, each row's pictures side by side, rows one
under the other. Standard library only.

usage: gauge_gallery.py OUT.png ROW [ROW ...]
where each ROW is a comma-separated list of PNG files (8-bit RGBA or RGB).
"""
import struct
import sys
import zlib

BACKGROUND = (64, 68, 72)
GAP = 8


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), path
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prior[i]
            c = prior[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prior = line
    pixels = []
    for line in rows:
        row = []
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            alpha = px[3] if channels == 4 else 255
            row.append(tuple((px[k] * alpha + BACKGROUND[k] * (255 - alpha)) // 255 for k in range(3)))
        pixels.append(row)
    return width, height, pixels


def write_png(path, width, height, pixels):
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in pixels)
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    open(path, "wb").write(png)


def main():
    out, rows = sys.argv[1], [[read_png(f) for f in arg.split(",")] for arg in sys.argv[2:]]
    width = max(sum(p[0] for p in row) + GAP * (len(row) + 1) for row in rows)
    height = sum(max(p[1] for p in row) for row in rows) + GAP * (len(rows) + 1)
    canvas = [[BACKGROUND] * width for _ in range(height)]
    y = GAP
    for row in rows:
        x = GAP
        for w, h, pixels in row:
            for j in range(h):
                canvas[y + j][x:x + w] = pixels[j]
            x += w + GAP
        y += max(p[1] for p in row) + GAP
    write_png(out, width, height, canvas)


if __name__ == "__main__":
    main()
