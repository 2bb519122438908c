#!/usr/bin/env python3
"""Stacks PNG pictures (8-bit RGB or RGBA, as gaugeview writes them) above
one another, or side by side with --across, over a panel-grey backdrop, with
a gap between them. Used to make the family pictures in docs/gauges/.

  stack-png.py [--across] [--gap N] -o OUT.png IN.png...
"""
import argparse
import struct
import zlib

BACKDROP = (64, 68, 72, 255)


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG")
    pos, idat, width = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise SystemExit(f"{path}: only 8-bit RGB or RGBA, not interlaced")
        elif kind == b"IDAT":
            idat += body
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind, row = line[0], bytearray(line[1:])
        for i in range(stride):
            a = row[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + a) & 255
            elif kind == 2:
                row[i] = (row[i] + b) & 255
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = row
        if channels == 3:
            row = bytearray(b for i in range(width) for b in (*row[i * 3:i * 3 + 3], 255))
        rows.append(row)
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--across", action="store_true")
    parser.add_argument("--gap", type=int, default=8)
    parser.add_argument("-o", required=True)
    parser.add_argument("inputs", nargs="+")
    args = parser.parse_args()
    pictures = [read_png(p) for p in args.inputs]
    gap = args.gap
    if args.across:
        width = sum(p[0] for p in pictures) + gap * (len(pictures) + 1)
        height = max(p[1] for p in pictures) + 2 * gap
    else:
        width = max(p[0] for p in pictures) + 2 * gap
        height = sum(p[1] for p in pictures) + gap * (len(pictures) + 1)
    canvas = [bytearray(bytes(BACKDROP) * width) for _ in range(height)]
    x = y = gap
    for w, h, rows in pictures:
        for r in range(h):
            line = canvas[y + r]
            row = rows[r]
            for i in range(w):
                a = row[i * 4 + 3]
                o = (x + i) * 4
                for c in range(3):  # over the backdrop, by the picture's alpha
                    line[o + c] = (row[i * 4 + c] * a + line[o + c] * (255 - a) + 127) // 255
        if args.across:
            x += w + gap
        else:
            y += h + gap
    write_png(args.o, width, height, canvas)


if __name__ == "__main__":
    main()
