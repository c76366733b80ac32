#!/usr/bin/env python3
"""Draws the program's own pictures: the USB state pictures, the language flags and the icon.

Run from the repository root: python3 tools/make_pictures.py
The results are committed under data/; nothing runs this at build time.
"""
import math
import struct
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


class Canvas:
    def __init__(self, width, height, color=(255, 255, 255, 255)):
        self.w, self.h = width, height
        self.px = [[color for _ in range(width)] for _ in range(height)]

    def set(self, x, y, color):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = color

    def rect(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = color

    def line(self, x0, y0, x1, y1, color, width=1.0):
        for y in range(self.h):
            for x in range(self.w):
                if _dist_to_segment(x + 0.5, y + 0.5, x0, y0, x1, y1) <= width / 2:
                    self.px[y][x] = color

    def circle(self, cx, cy, r, color, fill=True, width=1.0):
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if (fill and d <= r) or (not fill and abs(d - r) <= width / 2):
                    self.px[y][x] = color

    def bmp(self):
        """24-bit uncompressed BMP."""
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for x in range(self.w):
                r, g, b, _ = self.px[y][x]
                line += bytes((b, g, r))
            line += bytes(row - len(line))
            data += line
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + bytes(data)

    def ico_image(self):
        """32-bit DIB with its AND mask, as an icon directory entry holds it."""
        xor = bytearray()
        for y in range(self.h - 1, -1, -1):
            for x in range(self.w):
                r, g, b, a = self.px[y][x]
                xor += bytes((b, g, r, a))
        mask_row = ((self.w + 31) // 32) * 4
        mask = bytes(mask_row * self.h)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        return info + bytes(xor) + mask


def _dist_to_segment(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    if dx == 0 and dy == 0:
        return math.hypot(px - x0, py - y0)
    t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))


def write_png(path, canvas):
    import zlib
    raw = b''.join(b'\x00' + b''.join(bytes(px) for px in row) for row in canvas.px)
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    header = struct.pack('>IIBBBBB', canvas.w, canvas.h, 8, 6, 0, 0, 0)
    path.write_bytes(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def write_ico(path, canvases):
    header = struct.pack('<HHH', 0, 1, len(canvases))
    entries, images = b'', b''
    offset = 6 + 16 * len(canvases)
    for c in canvases:
        img = c.ico_image()
        entries += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, 1, 32, len(img), offset)
        images += img
        offset += len(img)
    path.write_bytes(header + entries + images)


def usb_picture(connected):
    bg = (236, 240, 248, 255)
    c = Canvas(64, 40, bg)
    ink = (20, 90, 200, 255) if connected else (150, 150, 160, 255)
    # Cable from the left, plug body, and the trident of the USB mark.
    c.rect(2, 18, 20, 22, ink)
    c.rect(20, 12, 34, 28, ink)
    c.rect(34, 15, 42, 25, (200, 200, 210, 255))
    c.line(46, 20, 60, 20, ink, 2)
    c.line(50, 20, 55, 12, ink, 2)
    c.line(52, 20, 57, 28, ink, 2)
    c.circle(56, 11, 2.5, ink)
    c.rect(56, 26, 61, 31, ink)
    c.circle(46, 20, 3, ink)
    if connected:
        c.circle(27, 20, 3, (60, 200, 90, 255))
    else:
        red = (210, 30, 30, 255)
        c.line(8, 4, 56, 36, red, 3)
        c.line(8, 36, 56, 4, red, 3)
    return c


def flag_english():
    blue, white, red = (1, 33, 105, 255), (255, 255, 255, 255), (200, 16, 46, 255)
    c = Canvas(32, 24, blue)
    c.line(0, 0, 32, 24, white, 5)
    c.line(0, 24, 32, 0, white, 5)
    c.line(0, 0, 32, 24, red, 1.6)
    c.line(0, 24, 32, 0, red, 1.6)
    c.rect(13, 0, 19, 24, white)
    c.rect(0, 9, 32, 15, white)
    c.rect(14, 0, 18, 24, red)
    c.rect(0, 10, 32, 14, red)
    return c


def flag_spanish():
    red, yellow = (170, 21, 27, 255), (241, 191, 0, 255)
    c = Canvas(32, 24, red)
    c.rect(0, 6, 32, 18, yellow)
    return c


def flag_none():
    c = Canvas(32, 24, (200, 200, 200, 255))
    grey = (110, 110, 110, 255)
    c.rect(0, 0, 32, 1, grey)
    c.rect(0, 23, 32, 24, grey)
    c.rect(0, 0, 1, 24, grey)
    c.rect(31, 0, 32, 24, grey)
    # A question mark.
    c.circle(16, 8, 5, grey, fill=False, width=2)
    c.rect(10, 6, 14, 11, (200, 200, 200, 255))
    c.rect(15, 12, 17, 16, grey)
    c.rect(15, 18, 17, 20, grey)
    return c


def icon(size):
    clear = (0, 0, 0, 0)
    c = Canvas(size, size, clear)
    s = size / 32.0
    body = (20, 40, 110, 255)
    c.rect(int(3 * s), int(2 * s), int(29 * s), int(30 * s), body)
    screen = (200, 235, 255, 255)
    c.rect(int(6 * s), int(5 * s), int(26 * s), int(17 * s), screen)
    # A spectrum trace on the screen.
    trace = (0, 130, 60, 255)
    points = [(6, 15), (9, 14), (11, 8), (13, 14), (16, 13), (18, 7), (20, 13), (23, 14), (26, 12)]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        c.line(x0 * s, y0 * s, x1 * s, y1 * s, trace, max(1.0, 1.2 * s))
    knob = (240, 180, 30, 255)
    c.circle(11 * s, 23.5 * s, 3 * s, knob)
    c.circle(21 * s, 23.5 * s, 3 * s, (230, 230, 230, 255))
    return c


def main():
    images = ROOT / 'data' / 'Images'
    languages = ROOT / 'data' / 'Languages'
    images.mkdir(parents=True, exist_ok=True)
    languages.mkdir(parents=True, exist_ok=True)
    (images / 'usb.bmp').write_bytes(usb_picture(True).bmp())
    (images / 'Nousb.bmp').write_bytes(usb_picture(False).bmp())
    write_ico(images / 'veltra52.ico', [icon(32), icon(48)])
    icons = ROOT / 'data' / 'icons'
    icons.mkdir(parents=True, exist_ok=True)
    for size in (32, 48, 64, 128):
        write_png(icons / f'veltra52-{size}.png', icon(size))
    (languages / 'English.bmp').write_bytes(flag_english().bmp())
    (languages / 'Español.bmp').write_bytes(flag_spanish().bmp())
    (languages / 'NoLanguage.bmp').write_bytes(flag_none().bmp())


if __name__ == '__main__':
    main()
