#!/usr/bin/env python3
"""How much of two same-sized PNG captures differs, with the standard library only:
capture-difference.py A.png B.png [MIN_FRACTION]
Prints the fraction of pixels whose colour differs by more than 16 in some channel (as
`halvane-dev compare` counts them); with MIN_FRACTION, exits 1 when less than that differs."""
import struct
import sys
import zlib

DIFFERENT_ABOVE = 16


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("%s: not a PNG" % path)
    pos, idat = 8, b""
    width = height = channels = None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            channels = {0: 1, 2: 3, 4: 2, 6: 4}.get(colour)
            if depth != 8 or channels is None or interlace:
                sys.exit("%s: only 8-bit, non-interlaced grey or RGB(A) PNGs are read" % path)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, corner)) & 255
        rows.append(line)
        previous = line
    return width, height, channels, rows


def main(a_path, b_path, minimum=None):
    wa, ha, ca, a = read_png(a_path)
    wb, hb, cb, b = read_png(b_path)
    if (wa, ha) != (wb, hb):
        sys.exit("the captures differ in size")
    colours = min(ca, cb, 3)
    different = 0
    for row_a, row_b in zip(a, b):
        for x in range(wa):
            pa, pb = x * ca, x * cb
            if any(abs(row_a[pa + c] - row_b[pb + c]) > DIFFERENT_ABOVE for c in range(colours)):
                different += 1
    fraction = different / float(wa * ha)
    print("%.4f" % fraction)
    if minimum is not None and fraction < float(minimum):
        sys.exit(1)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(*sys.argv[1:])
