"""Our own yardstick for a face shown smaller than its picture: the picture
read from its PNG file and reduced by area averaging (every source pixel
spread over the destination pixels it covers), premultiplied, as it shows over
a black screen."""

import struct
import zlib


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_rgba(path):
    """(width, height, rows): rows of R, G, B, A bytes. Only what our generators
    write: 8-bit RGBA, not interlaced."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat, header = 8, b"", None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour != 6 or interlace:
        raise ValueError("%s: only 8-bit RGBA without interlacing is read here" % path)
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 255
            elif kind == 4:
                line[i] = (line[i] + _paeth(left, up, previous[i - 4] if i >= 4 else 0)) & 255
        rows.append(line)
        previous = line
    return width, height, rows


def _weights(source, target):
    """For each target cell, the (source index, share) pairs it covers."""
    scale = source / target
    cells = []
    for t in range(target):
        begin, end = t * scale, (t + 1) * scale
        cell, s = [], int(begin)
        while s < end and s < source:
            share = min(end, s + 1) - max(begin, s)
            if share > 0:
                cell.append((s, share / scale))
            s += 1
        cells.append(cell)
    return cells


def reduced_over_black(path, width, height):
    """The picture at width x height as R, G, B bytes over black."""
    src_w, src_h, rows = read_rgba(path)
    # Premultiplied colour, three channels per pixel.
    premultiplied = []
    for line in rows:
        out = [0.0] * (src_w * 3)
        for x in range(src_w):
            a = line[4 * x + 3] / 255.0
            out[3 * x:3 * x + 3] = (line[4 * x] * a, line[4 * x + 1] * a, line[4 * x + 2] * a)
        premultiplied.append(out)
    columns, lines = _weights(src_w, width), _weights(src_h, height)
    result = bytearray()
    for cell in lines:
        row = [0.0] * (src_w * 3)
        for s, share in cell:
            source = premultiplied[s]
            row = [r + v * share for r, v in zip(row, source)]
        for column in columns:
            r = g = b = 0.0
            for s, share in column:
                r += row[3 * s] * share
                g += row[3 * s + 1] * share
                b += row[3 * s + 2] * share
            result += bytes((min(255, int(r + 0.5)), min(255, int(g + 0.5)), min(255, int(b + 0.5))))
    return bytes(result)
