#!/usr/bin/env python3
"""The module file's size against its floor, the DIB bytes of its bitmaps.

    gau_floor.py MODULE.gau BITMAP_DIR [EXTRA_RESOURCE...]

The floor is the sum, over BITMAP_DIR/*.bmp, of each file's size less its
14-byte file header (what a bitmap resource holds). Prints the excess and
where it sits: each section's bytes in the file, and inside the resource
section what is neither a bitmap nor one of the EXTRA_RESOURCE files (the
resource directory and padding).
"""
import glob
import os
import struct
import sys


def sections(path):
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"{path}: not a PE file")
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional
    out = []
    for i in range(count):
        raw = data[table + 40 * i:table + 40 * i + 40]
        name = raw[:8].rstrip(b"\0").decode()
        virtual_size, _, raw_size, raw_offset = struct.unpack_from("<IIII", raw, 8)
        out.append((name, virtual_size, raw_size, raw_offset))
    return len(data), out


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    module, bitmap_dir, extras = sys.argv[1], sys.argv[2], sys.argv[3:]
    bitmaps = sorted(glob.glob(os.path.join(bitmap_dir, "*.bmp")))
    floor = sum(os.path.getsize(b) - 14 for b in bitmaps)
    extra = sum(os.path.getsize(e) for e in extras)
    size, table = sections(module)
    print(f"module file:         {size:>10,} bytes")
    print(f"floor ({len(bitmaps)} DIBs):    {floor:>10,} bytes")
    print(f"excess:              {size - floor:>10,} bytes = {100.0 * (size - floor) / floor:.2f}%")
    print("where the file's bytes are (raw size in the file; contents):")
    in_sections = 0
    for name, virtual_size, raw_size, _ in table:
        in_sections += raw_size
        note = ""
        if name == ".rsrc":
            rest = virtual_size - floor - extra
            note = f"  (bitmaps {floor:,} + other resources {extra:,} + directory {rest:,})"
        print(f"  {name:<8} {raw_size:>10,}  (contents {virtual_size:,}){note}")
    print(f"  headers  {size - in_sections:>10,}")


if __name__ == "__main__":
    main()
