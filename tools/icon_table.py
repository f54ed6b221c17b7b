#!/usr/bin/env python3
"""Writes the tree icons res/icons/{root,system,position,satellite}.png as colour tables and
rows of pixels into res/TreeIcons.cpp, so that the window gets them without an image reader.
Run from the repository's top folder after orvex_make_icons has redrawn them:
    tools/icon_table.py && clang-format -i res/TreeIcons.cpp
"""
import struct
import zlib

NAMES = ["root", "system", "position", "satellite"]
# One character per colour; no quote and no backslash, so each row is a plain string.
KEYS = "".join(chr(c) for c in range(32, 127) if chr(c) not in "\"\\?")


def decode(path):
    """The pixels of an 8-bit RGBA PNG without interlacing, as (r, g, b, a) rows."""
    data = open(path, "rb").read()
    pos, chunks = 8, {}
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        chunks.setdefault(data[pos + 4:pos + 8], []).append(data[pos + 8:pos + 8 + length])
        pos += 12 + length
    width, height, depth, kind, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"][0])
    assert depth == 8 and kind == 6 and interlace == 0, path
    raw = zlib.decompress(b"".join(chunks[b"IDAT"]))
    stride, prev, rows, pos = width * 4, bytearray(width * 4), [], 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for x in range(stride):
            a = line[x - 4] if x >= 4 else 0
            b, c = prev[x], (prev[x - 4] if x >= 4 else 0)
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x:x + 4]) for x in range(0, stride, 4)])
        prev = line
    return rows


out = ["// Made by tools/icon_table.py from res/icons; do not edit by hand.",
       '#include "res/TreeIcons.h"', "",
       'const char kTreeIconKeys[] = "%s";' % KEYS, "", "namespace {", ""]
for name in NAMES:
    rows = decode("res/icons/%s.png" % name)
    colours = sorted({p for row in rows for p in row})
    assert len(colours) <= len(KEYS), name
    out.append("constexpr QRgb k%sColours[] = {" % name.capitalize())
    out.append(", ".join("0x%02X%02X%02X%02Xu" % (a, r, g, b) for r, g, b, a in colours) + "};")
    out += ["// clang-format off", "constexpr const char* k%sRows[] = {" % name.capitalize()]
    out += ['    "%s",' % "".join(KEYS[colours.index(p)] for p in row) for row in rows]
    out += ["};", "// clang-format on", ""]
out += ["} // namespace", "", "const std::array<TreeIconTable, 4> kTreeIconTables = {{"]
out += ["{k%sColours, k%sRows}," % (n.capitalize(), n.capitalize()) for n in NAMES]
out += ["}};", ""]
open("res/TreeIcons.cpp", "w").write("\n".join(out))
