"""The hill's contours and labels, against the same survey triangulated by
scipy: the levels of both classes, each vertex on the surface at its level,
the length of each level, the style of each class, layer and groups; one
masked label per crossing of the path, reading its level; and in the
picture, no contour colour inside a label's mask."""
import math

import numpy as np

from contourcheck import Survey, check_lengths, check_on_surface, contours, levels_by_addition, plan_points
from e2echeck import Png, expect, read_dxf, work_path

doc = read_dxf(work_path("out.dxf"))
survey = Survey("hill.xyz")
by_level = contours(doc)

# Levels: majors 105..150 by 5, minors 102..150 by 1; a level in both is major.
majors = levels_by_addition(105.0, 150.0, 5.0)
minors = levels_by_addition(102.0, 150.0, 1.0)
expected = {level: True for level in majors}
for level in minors:
    expected.setdefault(level, False)
expect(sorted(by_level) == sorted(expected),
       "levels drawn %s, expected %s" % (sorted(by_level), sorted(expected)))
expect(len(expected) == 49 and sum(expected.values()) == 10, "49 levels, 10 of them major")
check_on_surface(survey, by_level)
check_lengths(survey, by_level)

polylines = []
for level, lines in by_level.items():
    for line, major in lines:
        polylines.append(line)
        expect(major == expected[level], "the contour %s is %s" % (level, "major" if major else "minor"))
        want = (1, "DASHED", 50) if major else (30, "BYLAYER", 18)
        got = (line.dxf.color, line.dxf.linetype.upper(), line.dxf.lineweight)
        expect(got == want, "the contour %s has colour, linetype, weight %s, expected %s" % (level, got, want))
        expect(line.dxf.layer == "Hill_CONTOURS", "the contour %s is on %s" % (level, line.dxf.layer))
expect("DASHED" in doc.linetypes, "the linetype loaded through the dialog is in the drawing")

# The path polyline stays, untagged, through the picked points.
paths = [e for e in doc.modelspace().query("LWPOLYLINE") if not e.has_xdata("KVLX_CONTOUR")]
expect(len(paths) == 1, "one path polyline, found %d" % len(paths))
path = plan_points(paths[0])
expect(np.allclose(path, [(10, 20), (110, 90), (150, 60), (140, 40)]), "the path runs through the picked points")


def crossings(line):
    """Where the contour crosses the path, in plan."""
    out = []
    pts = plan_points(line)
    for a, b in zip(pts, pts[1:]):
        for c, d in zip(path, path[1:]):
            r = (b[0] - a[0], b[1] - a[1])
            s = (d[0] - c[0], d[1] - c[1])
            den = r[0] * s[1] - r[1] * s[0]
            if den == 0:
                continue
            t = ((c[0] - a[0]) * s[1] - (c[1] - a[1]) * s[0]) / den
            u = ((c[0] - a[0]) * r[1] - (c[1] - a[1]) * r[0]) / den
            if 0 <= t <= 1 and 0 <= u <= 1:
                out.append((a[0] + t * r[0], a[1] + t * r[1]))
    return out


wanted = []  # (x, y, level)
for level, lines in by_level.items():
    for line, _ in lines:
        wanted += [(x, y, level) for x, y in crossings(line)]
texts = list(doc.modelspace().query("TEXT"))
wipeouts = list(doc.modelspace().query("WIPEOUT"))
expect(len(wanted) > 20, "the path crosses many contours (%d)" % len(wanted))
expect(len(texts) == len(wanted), "%d labels for %d crossings" % (len(texts), len(wanted)))
expect(len(wipeouts) == len(texts), "%d wipeouts for %d labels" % (len(wipeouts), len(texts)))


def inside(polygon, x, y):
    hit = False
    for (ax, ay), (bx, by) in zip(polygon, polygon[1:]):
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            hit = not hit
    return hit


masks = [[(v.x, v.y) for v in w.boundary_path_wcs()] for w in wipeouts]
# Each label's own mask is the wipeout just before its text, beneath it.
order = list(doc.modelspace())
own_mask = {}
for i, e in enumerate(order):
    if e.dxftype() == "TEXT":
        expect(i > 0 and order[i - 1].dxftype() == "WIPEOUT", "the label %s lies on its wipeout" % e.dxf.text)
        own_mask[e.dxf.handle] = [(v.x, v.y) for v in order[i - 1].boundary_path_wcs()]
for x, y, level in wanted:
    near = [t for t in texts if math.dist((t.dxf.align_point.x, t.dxf.align_point.y), (x, y)) < 1e-6]
    expect(len(near) == 1, "one label at the crossing %.3f,%.3f of %s, found %d" % (x, y, level, len(near)))
    label = near[0]
    expect(abs(label.dxf.align_point.z - level) < 1e-9, "the label of %s lies at its level" % level)
    expect(float(label.dxf.text) == round(level, 2), "the label of %s reads %s" % (level, label.dxf.text))
    expect(inside(own_mask[label.dxf.handle], x, y), "the label of %s at %.3f,%.3f is masked" % (level, x, y))
expect(doc.rootdict.get("ACAD_WIPEOUT_VARS") is not None, "the drawing keeps its wipeout settings")

# Groups: the contours, then the labels (texts and wipeouts), the path in neither.
groups = [set(e.dxf.handle for e in g) for _, g in doc.groups]
expect(len(groups) == 2, "two groups, found %d" % len(groups))
expect(set(p.dxf.handle for p in polylines) in groups, "one group holds every contour")
expect(set(e.dxf.handle for e in texts + wipeouts) in groups, "one group holds every label and its mask")

# The picture (view 110,90 of height 60, 480 x 480 pixels): inside every
# mask, away from its edge, no pixel has a contour's colour, yet there is
# ink (the text); outside the masks the contours show.
png = Png(work_path("labels.png"))
scale = png.height / 60.0


def to_pixel(x, y):
    return png.width / 2 + (x - 110) * scale, png.height / 2 - (y - 90) * scale


def contour_coloured(rgb):
    return any(sum((a - b) ** 2 for a, b in zip(rgb, c)) < 40 ** 2 for c in ((255, 0, 0), (255, 127, 0)))


background = png.pixel(0, 0)
in_view = [[to_pixel(x, y) for x, y in m] for m in masks]
in_view = [m for m in in_view if all(0 <= px < png.width and 0 <= py < png.height for px, py in m)]
expect(len(in_view) >= 5, "the picture shows labels (%d)" % len(in_view))
ink_inside = 0
for m in in_view:
    xs = [p[0] for p in m]
    ys = [p[1] for p in m]
    for py in range(int(min(ys)), int(max(ys)) + 1):
        for px in range(int(min(xs)), int(max(xs)) + 1):
            cx, cy = px + 0.5, py + 0.5
            if not inside(m, cx, cy):
                continue
            edge = min(abs((bx - ax) * (ay - cy) - (ax - cx) * (by - ay)) / math.dist((ax, ay), (bx, by))
                       for (ax, ay), (bx, by) in zip(m, m[1:]))
            if edge < 2:
                continue
            rgb = png.pixel(px, py)
            expect(not contour_coloured(rgb), "a contour's colour %s shows at %d,%d inside a label's mask" % (rgb, px, py))
            ink_inside += rgb != background
expect(ink_inside > 50 * len(in_view), "the labels' texts show on their masks (%d pixels)" % ink_inside)
outside = sum(1 for py in range(png.height) for px in range(png.width)
              if contour_coloured(png.pixel(px, py)))
expect(outside > 2000, "the contours show outside the masks (%d pixels)" % outside)
