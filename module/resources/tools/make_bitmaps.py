#!/usr/bin/python3
"""Draws the module's button pictures and writes them as XPM text.

    /usr/bin/python3 module/resources/tools/make_bitmaps.py

writes module/resources/bitmaps/<name>.xpm; module/resources/dialogs/images.dlg
declares them under the resource ids the dialogs use. The pictures are drawn
here from a few shapes, so a change to a picture is a change to this script.
"""
import math
import os

PALETTE = {
    ".": "None",      # transparent
    "o": "#303030",   # outline
    "w": "#FFFFFF",   # paper
    "f": "#C8C8C8",   # folded corner, frame
    "b": "#1E64C8",   # arrows, selection
    "g": "#1E9632",   # plus, current
    "r": "#C83232",   # delete
    "y": "#E6B422",   # pencil
    "t": "#6E9A4A",   # terrain
    "s": "#7A96BE",   # glass, text rows
}


class Picture:
    def __init__(self, width=16, height=16):
        self.w, self.h = width, height
        self.px = [["."] * width for _ in range(height)]

    def dot(self, x, y, ch):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = ch

    def fill(self, x0, y0, x1, y1, ch):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, ch)

    def box(self, x0, y0, x1, y1, edge, inside=None):
        if inside:
            self.fill(x0, y0, x1, y1, inside)
        for x in range(x0, x1 + 1):
            self.dot(x, y0, edge)
            self.dot(x, y1, edge)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, edge)
            self.dot(x1, y, edge)

    def line(self, x0, y0, x1, y1, ch, thick=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for d in range(thick):
                self.dot(x + d, y, ch)

    def circle(self, cx, cy, r, ch):
        for a in range(0, 360, 4):
            self.dot(round(cx + r * math.cos(math.radians(a))), round(cy + r * math.sin(math.radians(a))), ch)

    def disc(self, cx, cy, r, ch):
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.dot(x, y, ch)

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        lines = ["/* XPM */", "static const char *%s[] = {" % name,
                 '"%d %d %d 1",' % (self.w, self.h, len(used))]
        lines += ['"%s c %s",' % (c, PALETTE[c]) for c in used]
        rows = ['"%s"' % "".join(row) for row in self.px]
        lines += [r + "," for r in rows[:-1]] + [rows[-1], "};"]
        return "\n".join(lines) + "\n"


def sheet(p, left=2, right=12):
    """A page with its top right corner folded."""
    p.box(left, 1, right, 14, "o", "w")
    for i in range(4):
        p.dot(right - 3 + i, 1 + i, "o")
        p.fill(right - 3 + i + 1, 1, right, 1 + i, ".")
    p.line(right - 3, 1, right - 3, 4, "o")
    p.line(right - 3, 4, right, 4, "o")


def plus(p, cx, cy, ch="g"):
    p.fill(cx - 3, cy - 1, cx + 3, cy, ch)
    p.fill(cx - 1, cy - 3, cx, cy + 3, ch)


def cross(p, x0, y0, size, ch="r"):
    p.line(x0, y0, x0 + size, y0 + size, ch, 2)
    p.line(x0 + size, y0, x0, y0 + size, ch, 2)


def arrow_right(p, x0, x1, y, ch="b"):
    p.fill(x0, y - 1, x1 - 3, y, ch)
    for i in range(4):
        p.line(x1 - 3 + i, y - 3 + i, x1 - 3 + i, y + 2 - i, ch)


def triangles(p, x0, y0, size):
    """A small triangle network."""
    s = size
    pts = [(x0, y0 + s), (x0 + s // 2, y0), (x0 + s, y0 + s), (x0 + s, y0 + s // 3), (x0, y0 + s // 3)]
    for a, b in [(0, 1), (1, 2), (0, 2), (1, 3), (3, 2), (1, 4), (4, 0)]:
        p.line(*pts[a], *pts[b], "t")


def zoom():  # 200: zoom to the surface
    p = Picture()
    triangles(p, 1, 1, 9)
    p.circle(9, 9, 4, "o")
    p.disc(9, 9, 3, "s")
    p.line(12, 12, 15, 15, "o", 2)
    return p


def checks(on):  # 203 all, 202 none
    p = Picture()
    for y in (1, 9):
        p.box(1, y, 6, y + 5, "o", "w")
        if on:
            p.line(2, y + 3, 3, y + 4, "g")
            p.line(3, y + 4, 5, y + 1, "g")
        p.fill(8, y + 2, 14, y + 3, "s")
    return p


def select():  # 204: select entities in the drawing
    p = Picture()
    p.box(1, 1, 9, 9, "b")
    for i in range(8):
        p.line(7, 7 + i, 7 + i, 7 + i, "o")
    p.line(7, 7, 14, 14, "o")
    p.fill(11, 13, 12, 15, "o")
    return p


def pick_points():  # 207: pick points one by one
    p = Picture()
    pts = [(2, 13), (6, 3), (13, 6), (11, 13)]
    for a, b in zip(pts, pts[1:]):
        p.line(*a, *b, "b")
    for x, y in pts:
        p.box(x - 1, y - 1, x + 1, y + 1, "o", "w")
    return p


def current():  # 211: make current
    p = Picture()
    triangles(p, 1, 4, 10)
    p.disc(12, 4, 3, "g")
    p.line(10, 4, 11, 5, "w")
    p.line(11, 5, 13, 3, "w")
    return p


def delete():  # 212
    p = Picture()
    cross(p, 3, 3, 9)
    return p


def edit():  # 213: edit the surface's properties
    p = Picture()
    sheet(p)
    p.line(4, 13, 13, 4, "y", 2)
    p.dot(3, 14, "o")
    return p


def read_file():  # 214: read a surface file into the drawing
    p = Picture()
    sheet(p, 6, 15)
    arrow_right(p, 0, 8, 9)
    return p


def new():  # 215: new surface
    p = Picture()
    sheet(p)
    plus(p, 11, 11)
    return p


def write_file():  # 216: write the surface to a file
    p = Picture()
    triangles(p, 0, 3, 8)
    arrow_right(p, 6, 15, 11)
    return p


def attach():  # icon 217: attach a surface file
    p = Picture()
    sheet(p, 4, 14)
    p.box(1, 5, 4, 14, "b")
    p.line(2, 5, 2, 11, "b")
    return p


def delete_file():  # icon 218: delete the file surface
    p = Picture()
    sheet(p)
    cross(p, 7, 7, 7)
    return p


def surface_kinds():  # 219: row images, the surface in the drawing, in a file
    p = Picture(32, 16)
    triangles(p, 1, 2, 12)
    sheet(p, 18, 28)
    triangles(p, 20, 7, 6)
    return p


def add_level():  # 228
    p = Picture()
    plus(p, 8, 8)
    p.fill(4, 7, 11, 8, "g")
    return p


PICTURES = {
    "zoom": zoom, "none": lambda: checks(False), "all": lambda: checks(True), "select": select,
    "pick_points": pick_points, "current": current, "delete": delete, "edit": edit, "read_file": read_file,
    "new": new, "write_file": write_file, "attach": attach, "delete_file": delete_file,
    "surface_kinds": surface_kinds, "add_level": add_level,
}


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bitmaps")
    os.makedirs(out, exist_ok=True)
    for name, draw in PICTURES.items():
        with open(os.path.join(out, name + ".xpm"), "w") as f:
            f.write(draw().xpm(name + "_xpm"))


if __name__ == "__main__":
    main()
