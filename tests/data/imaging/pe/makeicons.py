#!/usr/bin/env python3
"""Writes the .ico files that icons.rc puts into the PE test libraries.

Every image is a square of one colour with a transparent frame 4 pixels
wide (AND mask, and alpha 0 in 32-bit images)."""
import struct

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def rowbytes(w, bits):
    return ((w * bits + 31) // 32) * 4


def image(size, bits, rgb):
    """One icon image: header, palette, XOR bits and AND mask, bottom-up."""
    inside = lambda x, y: 4 <= x < size - 4 and 4 <= y < size - 4
    palette = b""
    if bits == 4:
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
        index = VGA.index(rgb)
    elif bits == 8:
        colours = [(0, 0, 0), rgb] + [(i, i, i) for i in range(2, 256)]
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
        index = 1
    xor = b""
    for y in reversed(range(size)):
        row = bytearray(rowbytes(size, bits))
        for x in range(size):
            on = inside(x, y)
            if bits == 32:
                r, g, b = rgb if on else (0, 0, 0)
                row[4 * x:4 * x + 4] = bytes((b, g, r, 255 if on else 0))
            elif bits == 8:
                row[x] = index if on else 0
            elif bits == 4 and on:
                row[x // 2] |= index if x % 2 else index << 4
        xor += bytes(row)
    mask = b""
    for y in reversed(range(size)):
        row = bytearray(rowbytes(size, 1))
        for x in range(size):
            if not inside(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(xor) + len(mask),
                         0, 0, len(palette) // 4, 0)
    return header + palette + xor + mask


def ico(name, images):
    """images: (size, bits, rgb) for each image, in file order."""
    data = [image(*i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(data))
    offset = 6 + 16 * len(data)
    for (size, bits, _), d in zip(images, data):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bits == 4 else 0, 0, 1, bits,
                           len(d), offset)
        offset += len(d)
    with open(name, "wb") as f:
        f.write(out + b"".join(data))


ico("zebra.ico", [(32, 4, (255, 0, 0))])
ico("apple.ico", [(32, 32, (0, 160, 0))])
# Two 32 x 32 images: the 32-bit one has more colours and wins.
ico("seven.ico", [(16, 8, (255, 255, 0)), (32, 4, (0, 0, 255)), (32, 32, (255, 0, 255))])
# Only 48 x 48: shrunk to 32 x 32.
ico("two.ico", [(48, 32, (0, 255, 255))])
# Only 16 x 16: grown to 32 x 32.
ico("small.ico", [(16, 4, (255, 255, 0))])
