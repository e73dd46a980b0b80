#!/usr/bin/env python3
"""Converts an X window dump (xwd, 24/32-bit ZPixmap, four bytes a pixel) to PNG with the standard
library only: xwd-to-png.py in.xwd out.png"""
import struct
import sys
import zlib


def main(source, target):
    data = open(source, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format, depth, width, height = header[:6]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    red_mask, green_mask, blue_mask = header[14], header[15], header[16]
    colormap_entries = header[19]
    # Xvfb reports 24 bits per pixel at depth 24 but stores four bytes each.
    pixel_bytes = bytes_per_line // width if width else 0
    if version != 7 or pixmap_format != 2 or pixel_bytes != 4 or bits_per_pixel not in (24, 32):
        sys.exit("only 24- and 32-bit ZPixmap dumps of four bytes a pixel are handled")
    pixels = data[header_size + colormap_entries * 12:]
    order = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = [shift(m) for m in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = pixels[y * bytes_per_line:y * bytes_per_line + width * 4]
        values = struct.unpack(order + "%dI" % width, line)
        row = bytearray([0])
        for v in values:
            row += bytes(((v >> s) & 0xFF) for s in shifts)
        rows.append(bytes(row))

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b"")
    open(target, "wb").write(png)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
