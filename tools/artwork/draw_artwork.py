#!/usr/bin/env python3
"""Draws the program's bitmaps and icon and writes them under resources/.

Plain Python, no imaging library: each picture is a list of shapes given as coverage
functions, rendered with 4 x 4 supersampling. Run it again after changing a drawing:
    python3 tools/artwork/draw_artwork.py
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "resources")

FACE = (0xE3, 0xDE, 0xD7)  # the main window's colour
MASK = (0xFF, 0x00, 0xFF)  # transparent in the image lists
SS = 4


# ---- shapes: functions (x, y) -> inside? in pixel coordinates ----

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r1, r2):
    return lambda x, y: r1 * r1 <= (x - cx) ** 2 + (y - cy) ** 2 <= r2 * r2


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded(x0, y0, x1, y1, r):
    def f(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return f


def polygon(points):
    def f(x, y):
        inside = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                inside = not inside
        return inside
    return f


def segment(ax, ay, bx, by, w):
    def f(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return f


def union(*fs):
    return lambda x, y: any(f(x, y) for f in fs)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def gradient(c1, c2, y0, y1):
    """A colour that runs from c1 at y0 to c2 at y1."""
    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / max(y1 - y0, 1e-6)))
        return tuple(round(a + (b - a) * t) for a, b in zip(c1, c2))
    return colour


def render(w, h, layers, background):
    """layers: (shape, colour or colour function). Returns rows of (r, g, b, coverage)."""
    px = []
    for j in range(h):
        row = []
        for i in range(w):
            acc = [0.0, 0.0, 0.0]
            cover = 0.0
            for sj in range(SS):
                for si in range(SS):
                    x, y = i + (si + 0.5) / SS, j + (sj + 0.5) / SS
                    colour = None
                    for shape, c in layers:
                        if shape(x, y):
                            colour = c(x, y) if callable(c) else c
                    if colour is None:
                        colour = background
                    else:
                        cover += 1
                    for k in range(3):
                        acc[k] += colour[k]
            n = SS * SS
            row.append((round(acc[0] / n), round(acc[1] / n), round(acc[2] / n), cover / n))
        px.append(row)
    return px


def masked(px, mask=MASK, threshold=0.15):
    """Pixels hardly touched by a shape become the mask colour."""
    return [[mask if p[3] < threshold else p[:3] for p in row] for row in px]


def disabled(px, mask=MASK):
    """The grey, embossed form of a picture: a white copy one pixel down right, a grey one on top."""
    h, w = len(px), len(px[0])
    out = [[mask] * w for _ in range(h)]
    for j in range(h):
        for i in range(w):
            if j >= 1 and i >= 1 and px[j - 1][i - 1] != mask:
                out[j][i] = (255, 255, 255)
    for j in range(h):
        for i in range(w):
            p = px[j][i]
            if p != mask:
                lum = 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]
                g = round(96 + lum * 0.35)
                out[j][i] = (g, g, g)
    return out


def write_bmp(path, px):
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(px):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def hstrip(images):
    return [sum((img[j] for img in images), []) for j in range(len(images[0]))]


def write_ico(path, sizes):
    """sizes: list of rows of (r, g, b, alpha 0..1); 32-bit images with an AND mask."""
    entries, blobs = [], []
    offset = 6 + 16 * len(sizes)
    for px in sizes:
        h, w = len(px), len(px[0])
        xor = bytearray()
        for row in reversed(px):
            for r, g, b, a in row:
                xor += bytes((b, g, r, round(a * 255)))
        mask_stride = ((w + 31) // 32) * 4
        andm = bytearray()
        for row in reversed(px):
            bits = bytearray(mask_stride)
            for i, p in enumerate(row):
                if p[3] < 0.5:
                    bits[i // 8] |= 0x80 >> (i % 8)
            andm += bits
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
        blob = info + xor + andm
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(sizes)) + b"".join(entries) + b"".join(blobs))


# ---- the tool bar pictures, 20 x 20 ----

DARK = (40, 40, 40)


def icon_record():
    return [(circle(10, 10, 8), (120, 0, 0)),
            (circle(10, 10, 7), gradient((255, 80, 70), (170, 0, 0), 3, 17)),
            (circle(7.5, 7, 2.2), (255, 190, 180))]


def icon_play():
    return [(polygon([(5, 2.5), (18, 10), (5, 17.5)]), (0, 90, 20)),
            (polygon([(6.2, 4.6), (16, 10), (6.2, 15.4)]), gradient((110, 220, 90), (20, 140, 30), 4, 16))]


def icon_send():
    env = rect(5, 5, 19, 16)
    return [(rect(4.5, 4.5, 19.5, 16.5), (70, 70, 110)),
            (env, (255, 250, 230)),
            (union(segment(5, 5.5, 12, 11.5, 1.2), segment(19, 5.5, 12, 11.5, 1.2)), (70, 70, 110)),
            (polygon([(0.5, 8), (3.5, 8), (3.5, 6.5), (6, 10), (3.5, 13.5), (3.5, 12), (0.5, 12)]),
             (30, 120, 220))]


def stadium_outline(x0, y0, x1, y1, width):
    """The outline of an upright capsule: straight sides, round ends."""
    r = (x1 - x0) / 2.0
    cx = x0 + r

    def f(x, y):
        cy = min(max(y, y0 + r), y1 - r)
        return abs(math.hypot(x - cx, y - cy) - r) <= width / 2
    return f


def icon_attach():
    outer = stadium_outline(5, 1.5, 14, 18.5, 1.6)
    inner = minus(stadium_outline(7.5, 4.5, 11.5, 15.5, 1.6), rect(0, 12, 9.5, 20))
    return [(rounded(2, 6, 17, 19, 1), (250, 250, 250)), (rect(4, 9, 15, 9.8), (190, 190, 200)),
            (rect(4, 12, 15, 12.8), (190, 190, 200)), (rect(4, 15, 12, 15.8), (190, 190, 200)),
            (union(outer, inner), (80, 90, 120))]


def icon_language():
    globe = circle(10, 10, 8)
    lines = union(
        lambda x, y: abs(math.hypot((x - 10) / 4.0, (y - 10) / 8.0) - 1) < 0.09,
        segment(2, 10, 18, 10, 0.9), segment(10, 2, 10, 18, 0.9),
        segment(3.5, 6, 16.5, 6, 0.8), segment(3.5, 14, 16.5, 14, 0.8))
    return [(globe, (10, 60, 140)),
            (circle(10, 10, 7.2), gradient((110, 180, 250), (30, 100, 200), 3, 17)),
            (lambda x, y: lines(x, y) and globe(x, y), (230, 245, 255))]


def icon_options():
    def gear(x, y):
        a = math.atan2(y - 10, x - 10)
        r = math.hypot(x - 10, y - 10)
        tooth = 7.8 if math.cos(8 * a) > 0.1 else 6.0
        return r <= tooth
    return [(gear, (70, 70, 90)), (circle(10, 10, 5.2), gradient((200, 200, 215), (130, 130, 150), 5, 15)),
            (circle(10, 10, 2.2), (70, 70, 90))]


def icon_exit():
    door = rect(3, 2, 12, 18)
    return [(door, (90, 50, 20)), (rect(4, 3, 11, 17), gradient((200, 130, 70), (140, 80, 30), 3, 17)),
            (circle(9.5, 10.5, 0.9), (250, 220, 90)),
            (polygon([(11, 8.5), (15, 8.5), (15, 6), (19.5, 10), (15, 14), (15, 11.5), (11, 11.5)]),
             (200, 30, 30))]


TOOLBAR = [icon_record, icon_play, icon_send, icon_attach, icon_language, icon_options, icon_exit]


# ---- the level indicators and the icon ----

def microphone(w, h, scale=1.0, dx=0.0, dy=0.0):
    def s(f):
        return lambda x, y: f((x - dx) / scale, (y - dy) / scale)
    head = s(rounded(6, 1, 12, 11, 3))
    grill = s(union(segment(7, 4, 11, 4, 0.6), segment(7, 6, 11, 6, 0.6), segment(7, 8, 11, 8, 0.6)))
    holder = s(lambda x, y: 9 <= y and abs(math.hypot(x - 9, y - 7.5) - 5) < 0.7)
    stand = s(union(segment(9, 12.5, 9, 14.5, 1.2), segment(6, 15, 12, 15, 1.2)))
    return [(head, (40, 40, 60)), (s(rounded(6.8, 1.8, 11.2, 10.2, 2.3)), (150, 160, 180)),
            (grill, (60, 60, 80)), (holder, (40, 40, 60)), (stand, (40, 40, 60))]


LIME = (0x00, 0xFF, 0x00)  # transparent in the level pictures: the level shows through


def with_wedge(px, x0, x1, y0, y1):
    """A ramp of exact lime pixels, low at x0 and full height at x1, on rows y0 .. y1 - 1."""
    out = [list(row) for row in px]
    for j in range(y0, y1):
        for i in range(x0, x1):
            rise = (i - x0 + 1) / (x1 - x0)
            if y1 - j <= math.ceil(rise * (y1 - y0)):
                out[j][i] = LIME
    return out


def opaque(px):
    """Rows of colours; a shape's edge never comes out as the transparent lime."""
    return [[(r, g, b) if (r, g, b) != LIME else (0, 254, 0) for r, g, b, _ in row] for row in px]


def level_picture(layers, w, h):
    return with_wedge(opaque(render(w, h, layers, FACE)), w - 15, w - 1, 1, h - 1)


def speaker_layers():
    body = polygon([(1, 5.5), (4, 5.5), (9, 1.5), (9, 14.5), (4, 10.5), (1, 10.5)])
    cone = polygon([(2, 6.5), (4.5, 6.5), (8, 3.5), (8, 12.5), (4.5, 9.5), (2, 9.5)])
    def waves(x, y):
        r = math.hypot(x - 7, y - 8)
        return 10 < x < 18 and abs(y - 8) < 6 and (abs(r - 4) < 0.6 or abs(r - 7) < 0.6)
    return [(body, (50, 50, 70)), (cone, (150, 160, 190)), (waves, (50, 50, 70))]


# ---- the level popup ----

POPUP_EDGE = (70, 80, 110)


def popup_background():
    w, h = 65, 105
    layers = [(rounded(0, 0, 65, 105, 5), POPUP_EDGE),
              (rounded(1, 1, 64, 104, 4), gradient((214, 222, 238), (170, 182, 208), 0, 105)),
              (rounded(2, 2, 63, 20, 3), gradient((96, 126, 190), (60, 86, 150), 2, 20)),
              (rect(5, 25, 24, 99), (236, 240, 248)),
              (rect(24, 28, 41, 100), (90, 96, 112)),
              (rect(34, 29, 60, 99), (150, 160, 186))]
    px = opaque(render(w, h, layers, (0, 0, 0)))
    # The level window: wide at the top, narrowing downwards, inside the level bar's box
    # (25, 29, 15 x 70).
    for j in range(29, 99):
        t = (j - 29) / 69.0
        half = 7.5 - 5.5 * t
        for i in range(25, 40):
            if abs(i + 0.5 - 32.5) <= half:
                px[j][i] = LIME
    return px


def popup_close():
    cross = union(segment(4, 3, 11, 9, 1.7), segment(11, 3, 4, 9, 1.7))
    return opaque(render(15, 12, [(rounded(0, 0, 15, 12, 2), (170, 50, 40)),
                                  (rounded(1, 1, 14, 11, 2), (215, 85, 70)),
                                  (cross, (255, 255, 255))], (60, 86, 150)))


def slider_track():
    w, h = 24, 68
    layers = [(rect(0, 0, 24, 68), (150, 160, 186)),
              (rounded(10, 4, 14, 64, 2), (50, 56, 80)),
              (rounded(11, 5, 13, 63, 1), (110, 118, 140))]
    for k in range(11):
        y = 8 + k * 5.2
        layers.append((rect(3, y, 8 if k % 5 else 9, y + 1), (60, 66, 90)))
        layers.append((rect(16 if k % 5 else 15, y, 21, y + 1), (60, 66, 90)))
    return opaque(render(w, h, layers, (150, 160, 186)))


def slider_holder():
    layers = [(rounded(1, 1, 23, 15, 3), (40, 46, 70)),
              (rounded(2, 2, 22, 14, 2), gradient((235, 238, 246), (150, 158, 182), 2, 14)),
              (rect(4, 7.5, 20, 8.5), (70, 76, 100))]
    return masked(render(24, 16, layers, LIME), mask=LIME, threshold=0.5)


def main_icon(size):
    k = size / 32.0

    def s(f):
        return lambda x, y: f(x / k, y / k)
    layers = [(s(rounded(1, 1, 31, 31, 6)), gradient((70, 130, 230), (20, 60, 150), 0, size)),
              (s(rounded(2, 2, 30, 16, 5)), gradient((120, 170, 245), (70, 130, 230), 0, size / 2))]
    layers += [(s(f), c) for f, c in microphone(32, 32, 1.6, 1.5, 2)]
    layers += [(s(circle(24, 24, 5.5)), (120, 0, 0)), (s(circle(24, 24, 4.6)), (235, 40, 30))]
    return render(size, size, layers, (0, 0, 0))


def main():
    os.makedirs(OUT, exist_ok=True)
    normal = [masked(render(20, 20, f(), FACE)) for f in TOOLBAR]
    write_bmp(os.path.join(OUT, "ToolbarNormal.bmp"), hstrip(normal))
    write_bmp(os.path.join(OUT, "ToolbarDisabled.bmp"), hstrip([disabled(p) for p in normal]))
    write_bmp(os.path.join(OUT, "Volume.bmp"), level_picture(speaker_layers(), 34, 16))
    write_bmp(os.path.join(OUT, "MicLevel.bmp"), level_picture(microphone(32, 16), 32, 16))
    write_bmp(os.path.join(OUT, "SliderBackground.bmp"), popup_background())
    write_bmp(os.path.join(OUT, "SliderClose.bmp"), popup_close())
    write_bmp(os.path.join(OUT, "SliderTrack.bmp"), slider_track())
    write_bmp(os.path.join(OUT, "SliderHolder.bmp"), slider_holder())
    write_ico(os.path.join(OUT, "VoiceMail.ico"), [main_icon(32), main_icon(16)])


if __name__ == "__main__":
    main()
