"""Writes small pictures as Windows BMP files: 24-bit, or 4-bit with the 16 standard colours.

A picture is a list of rows, each a list of (red, green, blue) tuples, top row first.
"""
import struct

# The 16 standard colours, in their usual palette order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _file(width, height, bits, palette, pixel_data):
    header_size = 14 + 40 + 4 * len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixel_data), 2835, 2835,
                       len(palette), 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    head = struct.pack('<2sIHHI', b'BM', header_size + len(pixel_data), 0, 0, header_size)
    return head + info + pal + pixel_data


def write_bmp24(path, rows):
    height, width = len(rows), len(rows[0])
    data = bytearray()
    for row in reversed(rows):  # BMP rows go bottom-up
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b'\0' * (-len(line) % 4)
        data += line
    with open(path, 'wb') as f:
        f.write(_file(width, height, 24, [], bytes(data)))


def write_bmp4(path, rows):
    height, width = len(rows), len(rows[0])
    data = bytearray()
    for row in reversed(rows):
        indices = [VGA16.index(tuple(p)) for p in row]
        if len(indices) % 2:
            indices.append(0)
        line = bytearray((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
        line += b'\0' * (-len(line) % 4)
        data += line
    with open(path, 'wb') as f:
        f.write(_file(width, height, 4, VGA16, bytes(data)))


def from_text(art, colours):
    """A picture from lines of characters, each character a key of `colours`."""
    lines = [line for line in art.strip('\n').split('\n')]
    width = len(lines[0])
    for line in lines:
        if len(line) != width:
            raise ValueError('ragged picture: %r' % line)
    return [[colours[ch] for ch in line] for line in lines]
