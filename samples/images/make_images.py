#!/usr/bin/python3
"""Draws the sample pictures of samples/images/.

Everything is computed here: BMP, PNG and the placeable WMF are written with
the standard library alone; the JPEG needs Debian's python3-pil (Pillow) and is
skipped without it. The output is deterministic, so running the script again
reproduces the committed files.

    /usr/bin/python3 samples/images/make_images.py [output folder]
"""
import math
import os
import random
import struct
import sys
import zlib

W, H = 200, 150


# ---------------------------------------------------------------- pictures

def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(v)


def landscape(w, h, seed=7):
    """Photo-like: a sky with soft light, a sun, shaded hills, a lake with
    reflections, textured grass and a tree. Rows top-down of (r, g, b)."""
    rnd = random.Random(seed)
    noise = [[rnd.random() for _ in range(w + 1)] for _ in range(h + 1)]

    def smooth_noise(x, y, scale):
        fx, fy = x / scale, y / scale
        x0, y0 = int(fx), int(fy)
        tx, ty = fx - x0, fy - y0
        x0 %= w; y0 %= h
        x1, y1 = (x0 + 1) % w, (y0 + 1) % h
        a = noise[y0][x0] * (1 - tx) + noise[y0][x1] * tx
        b = noise[y1][x0] * (1 - tx) + noise[y1][x1] * tx
        return a * (1 - ty) + b * ty

    sun_x, sun_y, sun_r = w * 0.72, h * 0.24, h * 0.09
    horizon = h * 0.62
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            hill1 = h * 0.45 + math.sin(x / w * 5.2 + 0.6) * h * 0.07 + math.sin(x / w * 13) * h * 0.02
            hill2 = h * 0.53 + math.sin(x / w * 3.1 + 2.0) * h * 0.05
            if y < hill1:  # sky, brighter near the sun
                t = y / horizon
                d = math.hypot(x - sun_x, y - sun_y)
                glow = max(0.0, 1 - d / (h * 0.5)) ** 2
                cloud = max(0.0, smooth_noise(x, y * 2.5, 22) - 0.55) * 2.2
                r, g, b = 70 + 110 * t + 150 * glow, 120 + 90 * t + 120 * glow, 210 + 30 * t + 40 * glow
                r, g, b = (r + (255 - r) * cloud, g + (255 - g) * cloud, b + (255 - b) * cloud)
                if d < sun_r:
                    r, g, b = 255, 240, 170
            elif y < hill2:  # far hills, blue-green and hazy
                s = (y - hill1) / (h * 0.12)
                n = smooth_noise(x, y, 6)
                r, g, b = 90 + 30 * n - 20 * s, 130 + 40 * n - 15 * s, 140 + 20 * n - 30 * s
            elif y < horizon:  # near hills, green with texture
                n = smooth_noise(x, y, 3) * 0.6 + smooth_noise(x, y, 11) * 0.4
                light = 0.75 + 0.35 * math.cos((x / w) * 6 + 1)
                r, g, b = (40 + 50 * n) * light, (100 + 70 * n) * light, (30 + 30 * n) * light
            elif y < h * 0.8:  # lake with the sky mirrored and ripples
                my = 2 * horizon - y
                ripple = math.sin(y * 1.7 + math.sin(x * 0.15) * 2) * 0.5 + 0.5
                t = max(0.0, my) / horizon
                r, g, b = 60 + 80 * t + 25 * ripple, 100 + 70 * t + 25 * ripple, 170 + 40 * t + 20 * ripple
                if abs(x - sun_x) < sun_r * (0.6 + ripple * 0.6) and ripple > 0.6:
                    r, g, b = 235, 225, 170
            else:  # grass in front
                n = smooth_noise(x, y, 2) * 0.5 + smooth_noise(x, y, 7) * 0.5
                blade = 0.8 + 0.4 * ((x * 7 + y * 3) % 5) / 5
                r, g, b = (60 + 60 * n) * blade, (110 + 90 * n) * blade, (20 + 40 * n) * blade
            # tree: trunk and crown
            tx, crown_y = w * 0.2, h * 0.5
            if abs(x - tx) < w * 0.012 and crown_y < y < h * 0.72:
                r, g, b = 90, 60, 35
            cd = math.hypot((x - tx) / 1.0, (y - crown_y) / 1.25)
            if cd < h * 0.13:
                n = smooth_noise(x, y, 2.5)
                shade = 1.1 - (x - tx + h * 0.13) / (h * 0.4)
                r, g, b = (30 + 40 * n) * shade, (90 + 80 * n) * shade, (25 + 30 * n) * shade
            row.append((clamp(r), clamp(g), clamp(b)))
        rows.append(row)
    return rows


def gradient(w, h):
    """A horizontal hue sweep that fades to black at the bottom."""
    rows = []
    for y in range(h):
        v = 1 - y / (h - 1)
        row = []
        for x in range(w):
            hue = x / w * 6
            i, f = int(hue), hue - int(hue)
            c = [(1, f, 0), (1 - f, 1, 0), (0, 1, f), (0, 1 - f, 1), (f, 0, 1), (1, 0, 1 - f)][i % 6]
            row.append(tuple(clamp(255 * k * v) for k in c))
        rows.append(row)
    return rows


# The 16 colours of the line art, as indexes into this table.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def line_art(w, h):
    """A schematic of a machine: frame, gear, pipes, a gauge and hatching,
    drawn with 16 colour indexes on white."""
    px = [[15] * w for _ in range(h)]

    def put(x, y, c):
        if 0 <= x < w and 0 <= y < h:
            px[y][x] = c

    def line(x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def rect(x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if fill is not None:
                    put(x, y, fill)
        line(x0, y0, x1, y0, c); line(x1, y0, x1, y1, c)
        line(x1, y1, x0, y1, c); line(x0, y1, x0, y0, c)

    def circle(cx, cy, r, c, fill=None):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                d = math.hypot(x - cx, y - cy)
                if fill is not None and d < r - 0.5:
                    put(x, y, fill)
                if abs(d - r) < 0.6:
                    put(x, y, c)

    rect(4, 4, w - 5, h - 5, 0)
    rect(14, 20, 90, 110, 0, fill=7)
    for k in range(0, 150, 6):  # hatching inside the housing
        line(16 + k, 108, 16 + k - 60, 48, 8)
    rect(14, 20, 90, 110, 0)
    circle(52, 65, 26, 0, fill=11)
    for t in range(12):  # gear teeth
        a = t * math.pi / 6
        line(round(52 + 26 * math.cos(a)), round(65 + 26 * math.sin(a)),
             round(52 + 33 * math.cos(a)), round(65 + 33 * math.sin(a)), 0)
    circle(52, 65, 8, 0, fill=1)
    rect(90, 58, 150, 66, 4, fill=12)  # pipe to the gauge
    rect(118, 66, 126, 120, 4, fill=12)
    circle(162, 50, 22, 0, fill=15)
    for t in range(9):
        a = math.pi * (0.75 + t * 1.5 / 8)
        line(round(162 + 17 * math.cos(a)), round(50 + 17 * math.sin(a)),
             round(162 + 21 * math.cos(a)), round(50 + 21 * math.sin(a)), 0)
    line(162, 50, 175, 38, 9)
    rect(100, 120, 190, 140, 0, fill=10)
    for k, c in enumerate([9, 3, 2, 6, 5, 13, 14]):
        rect(104 + k * 12, 124, 112 + k * 12, 136, 0, fill=c)
    return px


# ---------------------------------------------------------------- BMP

def bmp_file(width, height, bits, palette, row_bytes, masks=None):
    """A bottom-up BMP with a 40-byte header; row_bytes is top-down."""
    stride = (width * bits + 31) // 32 * 4
    pixels = b"".join(r.ljust(stride, b"\0") for r in reversed(row_bytes))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    if masks:
        table = struct.pack("<III", *masks)
    compression = 3 if masks else 0
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels),
                       3780, 3780, len(palette), len(palette))
    offset = 14 + len(info) + len(table)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + table + pixels


def bmp4(index_rows, palette):
    rows = []
    for r in index_rows:
        padded = r + [0] * (len(r) % 2)
        rows.append(bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2)))
    return bmp_file(len(index_rows[0]), len(index_rows), 4, palette, rows)


def bmp8(index_rows, palette):
    return bmp_file(len(index_rows[0]), len(index_rows), 8, palette, [bytes(r) for r in index_rows])


def bmp565(rgb_rows):
    rows = [b"".join(struct.pack("<H", ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)) for (r, g, b) in row)
            for row in rgb_rows]
    return bmp_file(len(rgb_rows[0]), len(rgb_rows), 16, [], rows, masks=(0xF800, 0x07E0, 0x001F))


def quantize_256(rgb_rows):
    """An ordered-dithered 6 x 7 x 6 colour cube (252 colours) plus 4 greys."""
    levels = (6, 7, 6)
    palette = [(round(r * 255 / 5), round(g * 255 / 6), round(b * 255 / 5))
               for r in range(6) for g in range(7) for b in range(6)]
    palette += [(64, 64, 64), (128, 128, 128), (192, 192, 192), (255, 255, 255)]
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    out = []
    for y, row in enumerate(rgb_rows):
        line = []
        for x, px in enumerate(row):
            t = (bayer[y % 4][x % 4] + 0.5) / 16 - 0.5
            q = [min(n - 1, max(0, int(c * (n - 1) / 255 + 0.5 + t))) for c, n in zip(px, levels)]
            line.append(q[0] * 42 + q[1] * 6 + q[2])
        out.append(line)
    return out, palette


# ---------------------------------------------------------------- PNG

def png_file(rgb_rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    h, w = len(rgb_rows), len(rgb_rows[0])
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"pHYs", struct.pack(">IIB", 3780, 3780, 1))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------- WMF

class Wmf:
    """A placeable metafile built record by record (sizes in 16-bit words)."""

    def __init__(self):
        self.records = []
        self.objects = 0

    def rec(self, func, *params):
        self.records.append(struct.pack("<IH", 3 + len(params), func) + struct.pack("<%dh" % len(params), *params))

    def rec_raw(self, func, payload):
        self.records.append(struct.pack("<IH", 3 + len(payload) // 2, func) + payload)

    def brush(self, rgb):
        self.rec_raw(0x02FC, struct.pack("<HBBBBh", 0, rgb[0], rgb[1], rgb[2], 0, 0))  # CreateBrushIndirect
        self.objects += 1
        return self.objects - 1

    def pen(self, rgb, width):
        self.rec_raw(0x02FA, struct.pack("<HhhBBBB", 0, width, 0, rgb[0], rgb[1], rgb[2], 0))  # CreatePenIndirect
        self.objects += 1
        return self.objects - 1

    def select(self, obj):
        self.rec(0x012D, obj)

    def delete(self, obj):
        self.rec(0x01F0, obj)

    def polygon(self, pts):
        payload = struct.pack("<h", len(pts)) + b"".join(struct.pack("<hh", x, y) for x, y in pts)
        self.rec_raw(0x0324, payload)

    def data(self, extent_w, extent_h, inch):
        body = b"".join(self.records) + struct.pack("<IH", 3, 0)  # end of file record
        max_rec = max(len(r) for r in self.records) // 2
        header = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(body)) // 2, self.objects, max_rec, 0)
        placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, extent_w, extent_h, inch, 0)
        checksum = 0
        for (word,) in struct.iter_unpack("<H", placeable[:20]):
            checksum ^= word
        return placeable + struct.pack("<H", checksum) + header + body


def drawing_wmf():
    """An operator-panel drawing: a tank with a level, a valve and a pipe,
    in logical units of 1/1440 inch (4 x 1.5 inches)."""
    m = Wmf()
    m.rec(0x0103, 8)               # SetMapMode MM_ANISOTROPIC
    m.rec(0x020B, 0, 0)            # SetWindowOrg (y, x)
    m.rec(0x020C, 2160, 5760)      # SetWindowExt (y, x)
    white, black = m.brush((255, 255, 255)), m.pen((0, 0, 0), 30)
    m.select(white); m.select(black)
    m.rec(0x041B, 2100, 5700, 60, 60)          # Rectangle (bottom, right, top, left): the frame
    steel = m.brush((190, 200, 210))
    m.select(steel)
    m.rec(0x0418, 2000, 1700, 200, 300)        # Ellipse: tank body
    water = m.brush((40, 110, 220))
    m.select(water)
    m.rec(0x041B, 1800, 1500, 1000, 500)       # level inside the tank
    pipe = m.brush((120, 120, 130))
    m.select(pipe)
    m.rec(0x041B, 1500, 4200, 1300, 1700)      # pipe
    valve = m.brush((220, 40, 40))
    m.select(valve)
    m.polygon([(2500, 1100), (3100, 1700), (2500, 1700), (3100, 1100)])  # bow-tie valve
    pump = m.brush((250, 200, 40))
    m.select(pump)
    m.rec(0x0418, 1900, 5300, 900, 4300)       # pump wheel
    m.polygon([(4800, 1000), (5200, 1400), (4800, 1800), (4400, 1400)])
    m.select(white)
    for obj in (steel, water, pipe, valve, pump):
        m.delete(obj)
    return m.data(5760, 2160, 1440)


# ---------------------------------------------------------------- main

def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    photo = landscape(W, H)
    write("landscape-565.bmp", bmp565(photo))
    indexes, palette = quantize_256(landscape(W, H, seed=11))
    write("landscape-8bit.bmp", bmp8(indexes, palette))
    write("lineart-4bit.bmp", bmp4(line_art(W, H), VGA16))
    write("landscape.png", png_file(landscape(240, 180, seed=3)))
    write("gradient.png", png_file(gradient(256, 96)))
    write("drawing.wmf", drawing_wmf())
    try:
        from PIL import Image
    except ImportError:
        print("Pillow (python3-pil) is missing: landscape.jpg is not written", file=sys.stderr)
        return
    big = landscape(320, 240, seed=5)
    img = Image.new("RGB", (320, 240))
    img.putdata([px for row in big for px in row])
    img.save(os.path.join(out, "landscape.jpg"), quality=85, optimize=True)


if __name__ == "__main__":
    main()
