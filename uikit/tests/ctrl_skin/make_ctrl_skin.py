#!/usr/bin/env python3
"""Writes the small test skin of the skinned controls: solid, clearly
different colours per frame and part, so tests and eyes can tell which part
of an image was drawn where. Standard library only; run it in this folder."""
import struct
import zlib


def png(name, w, h, pixel):
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(w)) for y in range(h))
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
    with open(name + ".png", "wb") as f:
        f.write(data)
    return name


def solid(c):
    return lambda x, y: c


def framed(w, h, border, edge, centre):
    def px(x, y):
        inside = border <= x < w - border and border <= y < h - border
        return centre if inside else edge
    return px


# Frame colours of button strips: normal, hover, disabled, pressed,
# pressed+hover, disabled+pressed.
FRAME = [(70, 110, 160, 255), (90, 150, 220, 255), (128, 128, 128, 255),
         (30, 60, 110, 255), (40, 90, 170, 255), (90, 90, 90, 255)]
EDGE = (20, 20, 20, 255)
FW, FH = 24, 16


def strip(n):
    return lambda x, y: framed(FW, FH, 3, EDGE, FRAME[x // FW])(x % FW, y)


# Seven-segment digits, 10 x 16.
SEG = {"a": (1, 0, 8, 2), "b": (7, 1, 9, 8), "c": (7, 8, 9, 15), "d": (1, 14, 8, 16),
       "e": (0, 8, 2, 15), "f": (0, 1, 2, 8), "g": (1, 7, 8, 9)}
DIGITS = ["abcdef", "bc", "abged", "abgcd", "fgbc", "afgcd", "afgedc", "abc", "abcdefg", "abcdfg"]


def digit(d):
    def px(x, y):
        for s in DIGITS[d]:
            x0, y0, x1, y1 = SEG[s]
            if x0 <= x < x1 and y0 <= y < y1:
                return (255, 200, 40, 255)
        return (0, 0, 0, 0)
    return px


def checkbox(mark):
    def px(x, y):
        if x in (0, 11) or y in (0, 11):
            return (40, 40, 40, 255)
        if mark == "on" and (abs(x - y) <= 1 and 3 <= x <= 8 or abs(x + y - 11) <= 1 and 3 <= x <= 8):
            return (20, 150, 40, 255)
        if mark == "part" and 3 <= x <= 8 and 5 <= y <= 6:
            return (200, 120, 20, 255)
        return (250, 250, 250, 255)
    return px


def triangle(x, y):
    return (30, 200, 60, 255) if 2 <= x <= 10 and abs(y - 6) <= (10 - x) // 2 + 1 else (0, 0, 0, 0)


def pause(x, y):
    return (230, 160, 20, 255) if 2 <= y <= 10 and (3 <= x <= 4 or 7 <= x <= 8) else (0, 0, 0, 0)


def arrow(up):
    def px(x, y):
        yy = y if up else 13 - y
        if x in (0, 13) or y in (0, 13):
            return (60, 60, 60, 255)
        return (240, 240, 240, 255) if 4 <= yy <= 9 and abs(x - 6.5) <= (yy - 3) else (120, 120, 130, 255)
    return px


names = [
    png("transparent", 1, 1, solid((0, 0, 0, 0))),
    png("btn_frames2", 2 * FW, FH, strip(2)),
    png("btn_frames4", 4 * FW, FH, strip(4)),
    png("btn_frames6", 6 * FW, FH, strip(6)),
    png("btn_grid4", 2 * FW, 2 * FH,
        lambda x, y: framed(FW, FH, 3, EDGE, FRAME[(y // FH) * 2 + x // FW])(x % FW, y % FH)),
    png("btn_bk", 8, 8, solid((235, 235, 225, 255))),
    png("nine_part", 12, 12, lambda x, y: [(200, 0, 0, 255), (0, 200, 0, 255), (0, 0, 200, 255)][
        0 if x < 3 else 2 if x >= 9 else 1] if y < 3 or y >= 9 else (240, 240, 0, 255)),
    png("lst_header", 8, 8, solid((245, 245, 240, 255))),
    png("lst_row", 8, 8, lambda x, y: (255, 255, 255, 255) if y < 7 else (215, 215, 215, 255)),
    png("lst_h_line1", 8, 8, solid((60, 70, 90, 255))),
    png("lst_h_line2", 8, 2, solid((250, 180, 0, 255))),
    png("lst_v_line", 1, 8, solid((150, 160, 180, 255))),
    png("lst_checkbox_unchecked", 12, 12, checkbox("off")),
    png("lst_checkbox_checked", 12, 12, checkbox("on")),
    png("lst_checkbox_3state", 12, 12, checkbox("part")),
    png("lst_icon_play", 12, 12, triangle),
    png("lst_icon_pause", 12, 12, pause),
    png("lst_select_bar", 8, 8, solid((190, 215, 250, 255))),
    png("lst_vscroll_span", 14, 8, solid((225, 225, 230, 255))),
    png("lst_vscroll_thumb", 14, 28, framed(14, 28, 2, (80, 80, 90, 255), (160, 160, 175, 255))),
    png("lst_vscroll_top", 14, 14, arrow(True)),
    png("lst_vscroll_bottom", 14, 14, arrow(False)),
    png("sld_left", 8, 6, solid((230, 60, 40, 255))),
    png("sld_right", 8, 6, solid((110, 110, 120, 255))),
    png("sld_thumb", 12, 20, framed(12, 20, 2, (30, 30, 30, 255), (250, 250, 250, 255))),
    png("sld_bk", 16, 24, framed(16, 24, 4, (50, 50, 60, 255), (200, 200, 210, 255))),
    png("stc_bk", 8, 8, solid((40, 45, 60, 255))),
    png("stc_icon", 12, 12, framed(12, 12, 2, (255, 255, 255, 255), (0, 150, 200, 255))),
    png("img_picture", 32, 24, lambda x, y: (x * 8 % 256, y * 10 % 256, 160, 255)),
] + [png("num_%d" % d, 10, 16, digit(d)) for d in range(10)]

with open("imagelist.ini", "w") as f:
    f.write("[HD-png]\n")
    for n in names:
        f.write("%s=%s.png\n" % (n, n))
