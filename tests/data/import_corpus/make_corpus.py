#!/usr/bin/env python3
"""Writes the damaged icon files of this folder, which the import's reader
must list without reading outside the file. Run once; the files are kept.
expected.txt names, for each file, the message for the whole file (after
"!") or each entry's outcome ("ok" or the reason it cannot be read)."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def info(width, height, bits, compression=0, header=40, used=0):
    return struct.pack('<IiiHHIIiiII', header, width, 2 * height, 1, bits, compression, 0, 0, 0, used, 0)


def bitmap(width, height, bits, **kw):
    row = (width * bits + 31) // 32 * 4
    mask = (width + 31) // 32 * 4
    palette = b'\x40\x80\xc0\x00' * (1 << bits) if bits <= 8 else b''
    return info(width, height, bits, **kw) + palette + b'\x5a' * row * height + b'\x00' * mask * height


def icon(images, count=None, sizes=None, offsets=None):
    count = len(images) if count is None else count
    out = struct.pack('<HHH', 0, 1, count)
    offset = 6 + 16 * len(images)
    data = b''
    for i, image in enumerate(images):
        size = sizes[i] if sizes and sizes[i] is not None else len(image)
        at = offsets[i] if offsets and offsets[i] is not None else offset
        out += struct.pack('<BBBBHHII', 16, 16, 0, 0, 1, 32, size, at)
        offset += len(image)
        data += image
    return out + data


png = b'\x89PNG\r\n\x1a\n' + b'\x00' * 24
files = {
    'png_past_end.ico': icon([png], sizes=[100000]),
    'png_garbage.ico': icon([png]),
    'bmp32_mask_short.ico': icon([bitmap(16, 16, 32)[:-40]]),
    'bits_16.ico': icon([bitmap(16, 16, 16)]),
    'bitfields.ico': icon([bitmap(16, 16, 32, compression=3)]),
    'header_size_huge.ico': icon([bitmap(16, 16, 8, header=0xFFFFFFFF)]),
    'width_huge.ico': icon([bitmap(1, 1, 24)[:4] + struct.pack('<i', 0x7FFFFFFF) + bitmap(1, 1, 24)[8:]]),
    'height_negative.ico': icon([info(16, -16, 32)]),
    'palette_past_end.ico': icon([info(16, 16, 8) + b'\x00' * 100]),
    'colors_used_big.ico': icon([bitmap(8, 8, 4, used=1000)]),
    'offset_wraps.ico': icon([bitmap(4, 4, 24)], offsets=[0xFFFFFFF0]),
    'many_entries.ico': icon([bitmap(1, 1, 1)], count=300),
    'mixed.ico': icon([bitmap(8, 8, 24), bitmap(16, 16, 32)[:-700]]),
    'zero_entries.ico': icon([]),
}
for name, data in files.items():
    with open(os.path.join(here, name), 'wb') as f:
        f.write(data)
