#!/usr/bin/python3
"""Draws the product's 20 x 20 icons and writes them as XPM text.

    /usr/bin/python3 product/giscore/tools/make_icons.py

writes product/giscore/data/icons/<NAME>.xpm. The pictures are drawn here
pixel by pixel from a few shapes, so a change is a change to this script.

  IDI_FILEIMPORT1    a point file with an arrow into it: read points, replacing
  IDI_FILEIMPORTADD  a point file with a plus: read points, adding
"""
import os

SIZE = 20
PALETTE = {
    ".": "None",      # transparent
    "o": "#404040",   # outline
    "w": "#FFFFFF",   # paper
    "f": "#C8C8C8",   # folded corner
    "r": "#7A96BE",   # rows of coordinates on the paper
    "b": "#1E64C8",   # arrow
    "g": "#1E9632",   # plus
    "d": "#0F4A1E",   # plus outline
}


def blank():
    return [["."] * SIZE for _ in range(SIZE)]


def fill(c, x0, y0, x1, y1, ch):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c[y][x] = ch


def sheet(c, left):
    """A page with its top right corner folded, and rows of figures."""
    top, right, bottom, fold = 1, left + 12, 18, 4
    fill(c, left, top, right, bottom, "w")
    for y in range(top, bottom + 1):
        c[y][left] = c[y][right] = "o"
    for x in range(left, right + 1):
        c[top][x] = c[bottom][x] = "o"
    for i in range(fold):  # cut the corner away, then draw the fold
        for x in range(right - fold + 1 + i, right + 1):
            c[top + i][x] = "."
    for i in range(fold + 1):
        c[top + i][right - fold + i] = "o"
        for x in range(right - fold, right - fold + i):
            c[top + i][x] = "f"
    for x in range(right - fold, right + 1):
        c[top + fold][x] = "o"
    for y in range(top + 1, top + fold):
        c[y][right - fold] = "o"
    for y in (7, 10, 13, 16):
        fill(c, left + 3, y, right - 2, y, "r")


def arrow(c):
    """A thick arrow from the left edge into the page."""
    fill(c, 0, 10, 7, 14, "o")
    fill(c, 0, 11, 7, 13, "b")
    for i in range(6):
        fill(c, 7 + i, 6 + i, 7 + i, 18 - i, "o")
    for i in range(5):
        fill(c, 7 + i, 8 + i, 7 + i, 16 - i, "b")


def plus(c):
    """A plus with a dark rim at the lower right."""
    fill(c, 12, 10, 18, 18, ".")
    fill(c, 14, 10, 16, 18, "d")
    fill(c, 11, 13, 19, 15, "d")
    fill(c, 15, 11, 15, 17, "g")
    fill(c, 12, 14, 18, 14, "g")


def write_xpm(path, name, c):
    used = [k for k in PALETTE if any(k in row for row in c)]
    lines = ["/* XPM */", "static const char *%s[] = {" % name,
             '"%d %d %d 1",' % (SIZE, SIZE, len(used))]
    lines += ['"%s c %s",' % (k, PALETTE[k]) for k in used]
    lines += ['"%s"%s' % ("".join(row), "," if i + 1 < SIZE else "") for i, row in enumerate(c)]
    lines.append("};")
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "icons")
    os.makedirs(out, exist_ok=True)
    replace = blank()
    sheet(replace, 5)
    arrow(replace)
    add = blank()
    sheet(add, 2)
    plus(add)
    for name, canvas in (("IDI_FILEIMPORT1", replace), ("IDI_FILEIMPORTADD", add)):
        write_xpm(os.path.join(out, name + ".xpm"), name, canvas)


if __name__ == "__main__":
    main()
