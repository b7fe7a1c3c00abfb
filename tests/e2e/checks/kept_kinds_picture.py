"""The paragraph text, spline, ellipse and solid hatch of kept_kinds.dxf
(made by ezdxf: make_kept_kinds.py) are drawn where their geometry says:
the picture of the job's view is checked pixel by pixel at points computed
from the drawing's own numbers."""
import math

from e2echeck import Png, expect, inked, work_path

WIDTH, HEIGHT, CX, CY, VIEW_HEIGHT = 600, 400, 30.0, 5.0, 70.0
SCALE = HEIGHT / VIEW_HEIGHT

png = Png(work_path("kinds.png"))
expect((png.width, png.height) == (WIDTH, HEIGHT), "kinds.png is %dx%d" % (png.width, png.height))


def pixel_of(x, y):
    return round(WIDTH / 2 + (x - CX) * SCALE), round(HEIGHT / 2 - (y - CY) * SCALE)


def ink_near(x, y, reach=2):
    px, py = pixel_of(x, y)
    return any(inked(png.pixel(px + dx, py + dy)) for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))


def ink_in(x0, y0, x1, y1):
    (a, b), (c, d) = pixel_of(x0, y1), pixel_of(x1, y0)
    return sum(1 for px in range(a, c + 1) for py in range(b, d + 1) if inked(png.pixel(px, py)))


# Solid hatch, colour 3 (green), over (40..60, 20..30): filled inside.
for x, y in [(42, 22), (50, 25), (58, 28)]:
    r, g, b = png.pixel(*pixel_of(x, y))
    expect(g > 150 and r < 100 and b < 100, "the solid hatch is not filled green at (%g, %g): %s" % (x, y, (r, g, b)))
expect(not ink_near(50, 18, 1), "the hatch spills below its boundary")

# Ellipse: centre (50, 10), major axis 10 along x, ratio 0.5; outline only.
for t in range(0, 360, 30):
    a = math.radians(t)
    x, y = 50 + 10 * math.cos(a), 10 + 5 * math.sin(a)
    expect(ink_near(x, y), "the ellipse is not drawn at its parameter %d degrees (%.2f, %.2f)" % (t, x, y))
expect(not ink_near(50, 10, 3), "the ellipse is filled")
expect(not ink_near(50, 16.5, 1), "something is drawn above the ellipse")

# Spline through the fit points (0, 0), (10, 8), (20, 2), (30, 10): the
# curve passes through each of them, and not along the straight chords.
for x, y in [(0, 0), (10, 8), (20, 2), (30, 10)]:
    expect(ink_near(x, y), "the spline does not pass through its fit point (%g, %g)" % (x, y))
expect(not ink_near(5, 4, 1), "the spline is drawn as straight pieces between its fit points")

# Paragraph text at (0, 30), height 2, top left: "Title block" on the
# first line (the font code stripped), "Surveyed 2009" on the second.
expect(ink_in(0, 28, 8, 30) > 30, "the first line of the paragraph text is missing")
expect(ink_in(0, 28 - 10 / 3, 8, 30 - 10 / 3) > 30, "the second paragraph is not on its own line")
expect(ink_in(22, 27.5, 36, 30.5) == 0, "the first line shows its formatting codes")
print("kept kinds picture: all four kinds drawn")
