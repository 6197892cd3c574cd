#!/usr/bin/env python3
"""Writes the small seed PNGs of the decoder fuzz target: one per colour type
and bit depth the decoder treats differently, a few hundred bytes each, and
files whose chunks declare far more data than they hold."""
import struct
import sys
import zlib
from pathlib import Path


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def interlaced(rows, width, bytes_per_pixel):
    """The Adam7 sub-images of 8-bit-or-wider rows, each row with its filter byte."""
    out = b""
    for x0, y0, dx, dy in ADAM7:
        for y in range(y0, len(rows), dy):
            pixels = [rows[y][x * bytes_per_pixel:(x + 1) * bytes_per_pixel] for x in range(x0, width, dx)]
            if pixels:
                out += b"\x00" + b"".join(pixels)
    return out


def lying_chunk(kind, declared_length, data):
    """A chunk that declares declared_length bytes but holds only data (and no CRC)."""
    return struct.pack(">I", declared_length) + kind + data


def png(width, height, depth, colour, rows, extra=b"", interlace=0, bytes_per_pixel=0):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    if interlace:
        raw = interlaced(rows, width, bytes_per_pixel)
    else:
        raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def pattern(width, height, bytes_per_pixel, seed):
    return [bytes((x * 37 + y * 11 + seed * (i + 1)) & 0xFF
                  for x in range(width) for i in range(bytes_per_pixel)) for y in range(height)]


def main(out):
    out.mkdir(parents=True, exist_ok=True)
    palette = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 240, 200, 10]))
    seeds = {
        "palette.png": png(6, 5, 8, 3, [bytes((x + y) % 4 for x in range(6)) for y in range(5)], palette),
        "palette_trns.png": png(6, 5, 2, 3, [bytes([0b00011011, 0b11100000]) for _ in range(5)],
                                palette + chunk(b"tRNS", bytes([0, 128]))),
        "grey1.png": png(9, 4, 1, 0, [bytes([0b10110010, 0b10000000]) for _ in range(4)]),
        "grey4_trns.png": png(5, 3, 4, 0, [bytes([0x12, 0x3F, 0xA0]) for _ in range(3)],
                              chunk(b"tRNS", struct.pack(">H", 3))),
        "grey16.png": png(4, 4, 16, 0, pattern(4, 4, 2, 3)),
        "grey_alpha.png": png(5, 4, 8, 4, pattern(5, 4, 2, 5)),
        "rgb_gamma.png": png(6, 4, 8, 2, pattern(6, 4, 3, 7), chunk(b"gAMA", struct.pack(">I", 100000))),
        "rgb16_trns.png": png(4, 3, 16, 2, pattern(4, 3, 6, 2),
                              chunk(b"tRNS", struct.pack(">HHH", 0, 11, 22))),
        "rgba_interlaced.png": png(11, 9, 8, 6, pattern(11, 9, 4, 9), interlace=1, bytes_per_pixel=4),
        "rgba16.png": png(3, 3, 16, 6, pattern(3, 3, 8, 4)),
    }
    # The shape of libpng's crashers huge_pCAL_chunk.png and huge_sCAL_chunk.png:
    # libpng reads such a chunk whole into memory of the declared length.
    header = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 1, 3, 0, 0, 0))
    for kind in (b"pCAL", b"sCAL"):
        for declared in (0x3FFFFFFF, 0x7FFFFFFF):
            name = "huge_%s_%x.png" % (kind.decode(), declared)
            seeds[name] = header + lying_chunk(kind, declared, b"\xae\xaf\x3f\xe6") + chunk(b"IEND", b"")
    for name, data in seeds.items():
        (out / name).write_bytes(data)


if __name__ == "__main__":
    main(Path(sys.argv[1]) if len(sys.argv) > 1 else
         Path(__file__).resolve().parent.parent / "tests/fuzz/seeds/png_decode_fuzz")
