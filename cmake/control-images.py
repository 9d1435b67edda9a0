#!/usr/bin/env python3
"""Draws the control's toolbox bitmap and icon: a strip of film with a play triangle.

Usage: control-images.py <toolbox.bmp> <icon.ico>
The bitmap is 16x16 at 24 bpp; the icon holds 48 and 32 pixels at 256 colours, then 128, 64,
48 and 32 pixels at 32 bpp, in that order.
"""
import struct
import sys

# The few colours of the drawing, as (blue, green, red, alpha).
CLEAR = (0, 0, 0, 0)
FILM = (40, 34, 30, 255)
HOLE = (235, 235, 235, 255)
FRAME = (200, 140, 60, 255)
PLAY = (255, 255, 255, 255)
PALETTE = [CLEAR, FILM, HOLE, FRAME, PLAY]


def colour_at(x, y, size):
    """The colour of pixel (x, y), row 0 at the top, of a size x size picture."""
    u = (x + 0.5) / size
    v = (y + 0.5) / size
    if not (0.0 <= u < 1.0 and 0.06 <= v < 0.94):
        return CLEAR
    # Perforated bands along the top and bottom edges of the strip.
    if v < 0.24 or v >= 0.76:
        band_v = (v - 0.06) / 0.18 if v < 0.24 else (v - 0.76) / 0.18
        hole_u = (u * 4.0) % 1.0
        if 0.3 <= hole_u < 0.7 and 0.3 <= band_v < 0.7:
            return HOLE
        return FILM
    # The picture frame with a play triangle pointing right.
    if u < 0.06 or u >= 0.94:
        return FILM
    ty = (v - 0.5) / 0.2
    tx = (u - 0.36) / 0.34
    if 0.0 <= tx < 1.0 and abs(ty) <= 1.0 - tx:
        return PLAY
    return FRAME


def rows_bottom_up(size):
    return [[colour_at(x, y, size) for x in range(size)] for y in reversed(range(size))]


def pad(row):
    return row + b"\0" * ((4 - len(row) % 4) % 4)


def info_header(size, height, bits, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, size, height, 1, bits, 0, 0, 0, 0, colours, 0)


def toolbox_bitmap():
    pixels = b"".join(pad(bytes(c for p in row for c in p[:3])) for row in rows_bottom_up(16))
    header = info_header(16, 16, 24)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def and_mask(rows):
    # 1 marks a transparent pixel; each row padded to 32 bits.
    out = b""
    for row in rows:
        bits = bytearray((len(row) + 7) // 8)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += pad(bytes(bits))
    return out


def icon_image(size, bits):
    rows = rows_bottom_up(size)
    if bits == 8:
        palette = b"".join(bytes((b, g, r, 0)) for b, g, r, _ in PALETTE) + b"\0" * 4 * (256 - len(PALETTE))
        xor = b"".join(pad(bytes(PALETTE.index(p) for p in row)) for row in rows)
        return info_header(size, size * 2, 8, 256) + palette + xor + and_mask(rows)
    xor = b"".join(bytes(c for p in row for c in p) for row in rows)
    return info_header(size, size * 2, 32) + xor + and_mask(rows)


def icon_file():
    images = [(48, 8), (32, 8), (128, 32), (64, 32), (48, 32), (32, 32)]
    blobs = [icon_image(size, bits) for size, bits in images]
    offset = 6 + 16 * len(images)
    entries = b""
    for (size, bits), blob in zip(images, blobs):
        # A width, height or colour count of 256 is written as 0.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(blobs)


def main():
    bitmap_path, icon_path = sys.argv[1:3]
    with open(bitmap_path, "wb") as f:
        f.write(toolbox_bitmap())
    with open(icon_path, "wb") as f:
        f.write(icon_file())


if __name__ == "__main__":
    main()
