"""pictures.job at 400 x 300: the hill (0..100 square, z 10..60) fills the
picture at 2.82 pixels a unit around (200, 150).

  shaded.png    each face filled with the ramp's colour for its mean
                elevation; the legend bar at the right edge, from the
                highest colour at the top to the lowest at the bottom
  vectors.png   dark background, the grid's temporary vectors in yellow
  regen.png     the same without a trace of yellow
"""
from e2echeck import Png, expect, work_path

RAMP = [(0.00, (38, 115, 77)), (0.25, (122, 173, 84)), (0.50, (236, 219, 121)), (0.75, (181, 120, 64)),
        (1.00, (245, 240, 235))]
LOW, HIGH = 10.0, 60.0


def ramp(z):
    t = min(max((z - LOW) / (HIGH - LOW), 0.0), 1.0)
    for (a, ca), (b, cb) in zip(RAMP, RAMP[1:]):
        if t <= b:
            f = (t - a) / (b - a)
            return tuple(round(x + (y - x) * f) for x, y in zip(ca, cb))
    return RAMP[-1][1]


def near(got, want, tol=6):
    return all(abs(g - w) <= tol for g, w in zip(got, want))


def pixel_of(x, y):
    scale = (300 - 2 * 9) / 100.0
    return round(200 + (x - 50) * scale), round(150 - (y - 50) * scale)


shaded = Png(work_path("shaded.png"))
# The four triangles around the summit (50, 50, 35), at their centroids.
corners = {(0, 0): 10, (100, 0): 20, (100, 100): 60, (0, 100): 30}
ring = [(0, 0), (100, 0), (100, 100), (0, 100)]
for a, b in zip(ring, ring[1:] + ring[:1]):
    cx, cy = (a[0] + b[0] + 50) / 3, (a[1] + b[1] + 50) / 3
    want = ramp((corners[a] + corners[b] + 35) / 3)
    got = shaded.pixel(*pixel_of(cx, cy))
    expect(near(got, want), "the face %r-%r shows %r, its elevation's colour is %r" % (a, b, got, want))

# The legend: a bar 12 pixels wide ending 8 pixels from the right edge,
# from 60 to 240 pixels down.
top, bottom = shaded.pixel(386, 62), shaded.pixel(386, 237)
expect(near(top, ramp(HIGH), 16), "the legend's top is %r, not the highest colour" % (top,))
expect(near(bottom, ramp(LOW), 16), "the legend's bottom is %r, not the lowest colour" % (bottom,))
labels = sum(1 for y in range(55, 246) for x in range(344, 379) if min(shaded.pixel(x, y)) < 100)
expect(labels > 30, "the legend has no elevations written beside it")


def yellow(p):
    return p[0] > 150 and p[1] > 150 and p[2] < 90


vectors = Png(work_path("vectors.png"))
expect(near(vectors.pixel(3, 3), (33, 40, 48), 2), "the background is %r, not dark" % (vectors.pixel(3, 3),))
# The segment along x = 40 from y = 40 to 60: yellow near its middle.
x, y = pixel_of(40, 50)
expect(any(yellow(vectors.pixel(x + d, y)) for d in (-1, 0, 1)), "no yellow vector at x = 40")
expect(vectors.count(yellow) > 500, "too few yellow pixels for a grid of vectors")
regen = Png(work_path("regen.png"))
expect(regen.count(yellow) == 0, "the vectors outlived the regeneration")
expect(regen.count(lambda p: p[0] > 90) > 200, "the faces' edges are gone from the dark picture")
