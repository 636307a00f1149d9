#!/usr/bin/env python3
"""Draws the three pictures of the design report and writes them as GIF files.

    kes_logo.gif   the maker's logo: a ring and the name "Kestrova"
    coregap.gif    a gapped toroid, top view and side view, 350 x 225
    corenogap.gif  a toroid without gap, top view and side view, 350 x 225

Standard library only: shapes are sampled 4 x 4 per pixel, the colours are
reduced to one palette and the pixels packed with a small LZW encoder.
Run from anywhere; the files land beside this script.
"""
import math
import os
import struct

SS = 4  # samples per pixel along each axis

WHITE = (255, 255, 255)
NAVY = (25, 25, 112)      # midnightblue, the report's text colour
MAROON = (128, 0, 0)
CORE_GAP = (60, 90, 150)   # coated gapped core
CORE_NOGAP = (150, 70, 50)  # coated no-gap core
EDGE = (20, 20, 40)
DIM = (90, 90, 90)

# A 5 x 7 font for the few letters the pictures need.
FONT = {
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "G": ["01111", "10000", "10000", "10111", "10001", "10001", "01111"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    " ": ["00000"] * 7,
}


class Canvas:
    """An RGB picture drawn by shapes; each shape is a test on a point."""

    def __init__(self, width, height, background=WHITE):
        self.width = width
        self.height = height
        self.shapes = []  # (inside(x, y) -> bool, colour), later ones on top
        self.background = background

    def add(self, inside, colour):
        self.shapes.append((inside, colour))

    def render(self):
        pixels = []
        n = SS * SS
        for py in range(self.height):
            for px in range(self.width):
                r = g = b = 0
                for sy in range(SS):
                    for sx in range(SS):
                        x = px + (sx + 0.5) / SS
                        y = py + (sy + 0.5) / SS
                        colour = self.background
                        for inside, c in self.shapes:
                            if inside(x, y):
                                colour = c
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                pixels.append((r // n, g // n, b // n))
        return pixels


def ring(cx, cy, r_out, r_in, sy=1.0):
    def inside(x, y):
        d = math.hypot(x - cx, (y - cy) / sy)
        return r_in <= d <= r_out
    return inside


def disc(cx, cy, r, sy=1.0):
    return lambda x, y: math.hypot(x - cx, (y - cy) / sy) <= r


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def slot(cx, cy, angle, half_width, r0, r1):
    """A radial slot of the given half width from radius r0 to r1."""
    ux, uy = math.cos(angle), math.sin(angle)

    def inside(x, y):
        dx, dy = x - cx, y - cy
        along = dx * ux + dy * uy
        across = -dx * uy + dy * ux
        return r0 <= along <= r1 and abs(across) <= half_width
    return inside


def line(x0, y0, x1, y1, half_width):
    lx, ly = x1 - x0, y1 - y0
    length2 = lx * lx + ly * ly

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * lx + (y - y0) * ly) / length2))
        return math.hypot(x - (x0 + t * lx), y - (y0 + t * ly)) <= half_width
    return inside


def arrow_head(tx, ty, dx, dy, size):
    """A filled triangle with its tip at (tx, ty) pointing along (dx, dy)."""
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    bx, by = tx - ux * size, ty - uy * size
    a = (tx, ty)
    b = (bx - uy * size * 0.45, by + ux * size * 0.45)
    c = (bx + uy * size * 0.45, by - ux * size * 0.45)

    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def dimension(canvas, x0, y0, x1, y1, colour=DIM):
    canvas.add(line(x0, y0, x1, y1, 0.6), colour)
    canvas.add(arrow_head(x1, y1, x1 - x0, y1 - y0, 7), colour)
    canvas.add(arrow_head(x0, y0, x0 - x1, y0 - y1, 7), colour)


def text(canvas, x, y, string, scale, colour):
    for k, ch in enumerate(string):
        rows = FONT[ch]
        for row, bits in enumerate(rows):
            for col, bit in enumerate(bits):
                if bit == "1":
                    left = x + (k * 6 + col) * scale
                    top = y + row * scale
                    canvas.add(rect(left, top, left + scale, top + scale), colour)


def text_width(string, scale):
    return (len(string) * 6 - 1) * scale


def draw_logo():
    c = Canvas(332, 72)
    # A small toroid as the mark, then the name.
    c.add(disc(36, 36, 30), NAVY)
    c.add(ring(36, 36, 26, 13), CORE_GAP)
    c.add(disc(36, 36, 13), WHITE)
    c.add(slot(36, 36, -math.pi / 4, 2.2, 11, 31), WHITE)
    text(c, 82, 15, "KESTROVA", 5, MAROON)
    c.add(rect(82, 56, 82 + text_width("KESTROVA", 5), 59), NAVY)
    return c


def draw_core(gapped):
    body = CORE_GAP if gapped else CORE_NOGAP
    c = Canvas(350, 225)
    cx, cy, r_out, r_in = 110, 112, 82, 42
    # Top view: the coated ring with its outline.
    c.add(disc(cx, cy, r_out + 1.5), EDGE)
    c.add(ring(cx, cy, r_out, r_in), body)
    c.add(disc(cx, cy, r_in), EDGE)
    c.add(disc(cx, cy, r_in - 1.5), WHITE)
    # A light band across the ring gives it some depth.
    c.add(ring(cx, cy, r_out - 9, r_out - 14), tuple(min(255, v + 45) for v in body))
    if gapped:
        c.add(slot(cx, cy, -math.pi / 2, 3.5, r_in - 2, r_out + 2), WHITE)
    # OD and ID dimension lines below the ring.
    dimension(c, cx - r_out, cy + r_out + 12, cx + r_out, cy + r_out + 12)
    dimension(c, cx - r_in, cy, cx + r_in, cy)
    text(c, cx - text_width("OD", 2) / 2, cy + r_out + 15, "OD", 2, NAVY)
    text(c, cx - text_width("ID", 2) / 2, cy - 17, "ID", 2, NAVY)
    # Side view: the core's height.
    left, right = 250, 290
    top, bottom = cy - r_out, cy + r_out
    c.add(rect(left - 1.5, top - 1.5, right + 1.5, bottom + 1.5), EDGE)
    c.add(rect(left, top, right, bottom), body)
    c.add(rect(left, cy - r_in, right, cy + r_in), tuple(max(0, v - 35) for v in body))
    dimension(c, left, bottom + 12, right, bottom + 12)
    text(c, (left + right) / 2 - text_width("HT", 2) / 2, bottom + 15, "HT", 2, NAVY)
    label = "GAPPED" if gapped else "NO GAP"
    text(c, 350 - text_width(label, 2) - 8, 8, label, 2, MAROON)
    return c


# ---------------------------------------------------------------- GIF writer

def palette_of(pixels):
    colours = sorted(set(pixels))
    shift = 0
    while len(colours) > 256:
        shift += 1
        mask = 0xFF & ~((1 << shift) - 1)
        pixels = [(r & mask, g & mask, b & mask) for r, g, b in pixels]
        colours = sorted(set(pixels))
    return colours, pixels


def lzw(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    prefix = ()
    for index in indices:
        candidate = prefix + (index,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = reset()
        prefix = (index,)
    if prefix:
        emit(table[prefix], size)
    emit(end, size)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def write_gif(path, width, height, pixels):
    colours, pixels = palette_of(pixels)
    bits = max(1, math.ceil(math.log2(max(2, len(colours)))))
    table_size = 1 << bits
    lookup = {c: k for k, c in enumerate(colours)}
    indices = [lookup[p] for p in pixels]
    min_code_size = max(2, bits)
    data = lzw(indices, min_code_size)
    with open(path, "wb") as f:
        f.write(b"GIF89a")
        f.write(struct.pack("<HHBBB", width, height, 0x80 | (bits - 1), 0, 0))
        for k in range(table_size):
            f.write(bytes(colours[k]) if k < len(colours) else b"\0\0\0")
        f.write(struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0))
        f.write(bytes([min_code_size]))
        for start in range(0, len(data), 255):
            block = data[start:start + 255]
            f.write(bytes([len(block)]) + block)
        f.write(b"\0;")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, canvas in (("kes_logo.gif", draw_logo()),
                         ("coregap.gif", draw_core(True)),
                         ("corenogap.gif", draw_core(False))):
        write_gif(os.path.join(here, name), canvas.width, canvas.height, canvas.render())
        print("wrote", name)


if __name__ == "__main__":
    main()
