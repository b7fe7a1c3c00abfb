"""What the projection jobs are checked with: the surface "Teren" read back
from the saved drawing and interpolated by scipy (the same points, its own
Delaunay triangulation and linear interpolation), the source drawing as
the generator wrote it, and the paths the source linework describes."""
import math
import os
import sys

import numpy as np
from scipy.interpolate import LinearNDInterpolator
from scipy.spatial import Delaunay

from e2echeck import expect, fail, read_dxf, source_path, work_path

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "points_drawing"))
from surfaces import surfaces  # noqa: E402

DRAPE_LAYER = "Teren_DRAPE"
MARKER_LAYER = "Teren_ELEV"
EPS = 1e-6


class Surface:
    def __init__(self, points):
        xyz = np.array(points, dtype=float)
        expect(len(xyz) >= 3, "the surface holds %d points" % len(xyz))
        self.tri = Delaunay(xyz[:, :2])
        self.interp = LinearNDInterpolator(self.tri, xyz[:, 2])

    def triangle(self, x, y):
        return int(self.tri.find_simplex(np.array([[x, y]]), tol=1e-9)[0])

    def on(self, x, y):
        return self.triangle(x, y) >= 0

    def z(self, x, y):
        value = float(self.interp(x, y))
        expect(not math.isnan(value), "(%g, %g) is not on the surface" % (x, y))
        return value

    def inside(self, simplex, x, y):
        """Whether (x, y) lies in the triangle, its sides included."""
        t = self.tri.transform[simplex]
        b = t[:2].dot(np.array([x, y]) - t[2])
        bary = [b[0], b[1], 1 - b[0] - b[1]]
        return min(bary) >= -1e-9

    def in_one_triangle(self, p, q):
        """Whether the straight piece p-q lies in one triangle of the
        surface, so that it crosses no triangle side."""
        s = self.triangle((p[0] + q[0]) / 2, (p[1] + q[1]) / 2)
        return s >= 0 and self.inside(s, p[0], p[1]) and self.inside(s, q[0], q[1])


def result():
    """The saved drawing and its surface "Teren"."""
    doc = read_dxf(work_path("out.dxf"))
    found = surfaces(doc)
    expect("Teren" in found, "the drawing holds no surface Teren: %s" % sorted(found))
    return doc, Surface(found["Teren"])


def source():
    return read_dxf(source_path("tests", "e2e", "drawings", "projection", "projection.dxf"))


def elevation_text(z):
    return "%.2f" % z


def signature(e):
    """What an entity is made of, to tell whether it changed."""
    kind = e.dxftype()
    if kind == "LINE":
        geometry = (tuple(e.dxf.start), tuple(e.dxf.end))
    elif kind in ("ARC", "CIRCLE"):
        geometry = (tuple(e.dxf.center), e.dxf.radius) + ((e.dxf.start_angle, e.dxf.end_angle) if kind == "ARC" else ())
    elif kind == "LWPOLYLINE":
        geometry = (tuple(tuple(p) for p in e.get_points("xyb")), e.dxf.elevation, e.closed)
    elif kind == "POLYLINE":
        geometry = tuple((tuple(v.dxf.location), v.dxf.bulge) for v in e.vertices)
    elif kind == "POINT":
        geometry = tuple(e.dxf.location)
    elif kind == "TEXT":
        geometry = (tuple(e.dxf.insert), e.dxf.text)
    elif kind == "INSERT":
        geometry = (e.dxf.name, tuple(e.dxf.insert), tuple((a.dxf.tag, a.dxf.text) for a in e.attribs))
    elif kind == "3DFACE":
        geometry = tuple(tuple(e.dxf.get("vtx%d" % i)) for i in range(4))
    else:
        geometry = ()
    return (kind, e.dxf.layer, geometry)


def entities_on(doc, layer):
    return [e for e in doc.modelspace() if e.dxf.layer == layer]


def expect_unchanged(doc, src, layers, changed=()):
    """Every source entity on the layers is still there as it was, except
    those the `changed` test picks out (checked by the caller)."""
    for layer in layers:
        want = sorted(repr(signature(e)) for e in entities_on(src, layer) if not any(c(e) for c in changed))
        got = sorted(repr(signature(e)) for e in entities_on(doc, layer) if not any(c(e) for c in changed))
        if want != got:
            fail("the entities on %s changed:\n  now  %s\n  were %s" % (layer, got, want))


def draped(doc):
    return [e for e in doc.modelspace() if e.dxftype() == "POLYLINE" and e.dxf.layer == DRAPE_LAYER]


def markers(doc):
    return [e for e in doc.modelspace() if e.dxftype() == "INSERT" and e.dxf.name == "KVX_ELEV"]


def expect_marker(surface, marker, x, y):
    z = surface.z(x, y)
    p = marker.dxf.insert
    expect(abs(p[0] - x) < EPS and abs(p[1] - y) < EPS and abs(p[2] - z) < EPS,
           "the marker at (%g, %g) stands at %s, not at elevation %.6f" % (x, y, tuple(p), z))
    expect(marker.dxf.layer == MARKER_LAYER, "the marker at (%g, %g) is on %s" % (x, y, marker.dxf.layer))
    texts = [a.dxf.text for a in marker.attribs]
    expect(texts == [elevation_text(z)], "the marker at (%g, %g) reads %s, not %s" % (x, y, texts, elevation_text(z)))


# Paths of the source linework: pieces (start, end, bulge) in plan.

def path_of(e):
    kind = e.dxftype()
    if kind == "LINE":
        return [(tuple(e.dxf.start)[:2], tuple(e.dxf.end)[:2], 0.0)]
    if kind == "ARC":
        sweep = math.radians((e.dxf.end_angle - e.dxf.start_angle) % 360.0)
        start, end = e.start_point, e.end_point
        return [((start[0], start[1]), (end[0], end[1]), math.tan(sweep / 4))]
    if kind == "LWPOLYLINE":
        pts = e.get_points("xyb")
        return [(pts[i][:2], pts[i + 1][:2], pts[i][2]) for i in range(len(pts) - 1)]
    if kind == "POLYLINE":
        v = list(e.vertices)
        return [(tuple(v[i].dxf.location)[:2], tuple(v[i + 1].dxf.location)[:2], v[i].dxf.get("bulge", 0.0))
                for i in range(len(v) - 1)]
    fail("no path for a %s" % kind)


def _arc(a, b, bulge):
    """Centre, radius, start angle and counter-clockwise sweep of a bulged
    piece."""
    (ax, ay), (bx, by) = a, b
    sweep = 4 * math.atan(bulge)
    chord = math.hypot(bx - ax, by - ay)
    radius = chord / (2 * math.sin(abs(sweep) / 2))
    offset = chord / (2 * math.tan(sweep / 2))
    cx = (ax + bx) / 2 - (by - ay) / chord * offset
    cy = (ay + by) / 2 + (bx - ax) / chord * offset
    return (cx, cy), radius, math.atan2(ay - cy, ax - cx), sweep


def distance_to_path(path, x, y):
    best = float("inf")
    for a, b, bulge in path:
        if abs(bulge) < 1e-12:
            (ax, ay), (bx, by) = a, b
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
            continue
        (cx, cy), r, start, sweep = _arc(a, b, bulge)
        angle = math.atan2(y - cy, x - cx)
        along = (angle - start) % (2 * math.pi) if sweep > 0 else (start - angle) % (2 * math.pi)
        if along <= abs(sweep) + 1e-9:
            best = min(best, abs(math.hypot(x - cx, y - cy) - r))
        else:
            best = min(best, math.hypot(x - a[0], y - a[1]), math.hypot(x - b[0], y - b[1]))
    return best


def path_length_on(surface, path, steps=20000):
    """The plan length of the path where it lies on the surface, summed
    over fine steps."""
    total = 0.0
    for a, b, bulge in path:
        if abs(bulge) < 1e-12:
            pts = [(a[0] + (b[0] - a[0]) * k / steps, a[1] + (b[1] - a[1]) * k / steps) for k in range(steps + 1)]
        else:
            (cx, cy), r, start, sweep = _arc(a, b, bulge)
            pts = [(cx + r * math.cos(start + sweep * k / steps), cy + r * math.sin(start + sweep * k / steps))
                   for k in range(steps + 1)]
        inside = surface.tri.find_simplex(np.array(pts), tol=1e-9) >= 0
        for k in range(steps):
            if inside[k] and inside[k + 1]:
                total += math.hypot(pts[k + 1][0] - pts[k][0], pts[k + 1][1] - pts[k][1])
    return total


def expect_drape(surface, poly, path, name, gaps=0):
    """The draped polyline lies on the surface along the source path: each
    vertex at the surface's elevation and within the arcs' chord tolerance
    of the path, each straight piece in one triangle (so a vertex stands at
    every crossing of a triangle side), except `gaps` pieces that join the
    parts on either side of a stretch off the surface; and it is as long as
    the part of the path on the surface."""
    expect(poly.is_3d_polyline, "%s: the drape is not a 3D polyline" % name)
    v = [tuple(p.dxf.location) for p in poly.vertices]
    expect(len(v) >= 2, "%s: the drape has %d vertices" % (name, len(v)))
    for x, y, z in v:
        expect(surface.on(x, y), "%s: the vertex (%g, %g) lies off the surface" % (name, x, y))
        expect(abs(z - surface.z(x, y)) < EPS, "%s: the vertex (%g, %g) is at %.6f, the surface at %.6f"
               % (name, x, y, z, surface.z(x, y)))
        d = distance_to_path(path, x, y)
        expect(d < 0.0051, "%s: the vertex (%g, %g) lies %g off the source" % (name, x, y, d))
    length, found_gaps = 0.0, 0
    for p, q in zip(v, v[1:]):
        if surface.in_one_triangle(p, q):
            length += math.hypot(q[0] - p[0], q[1] - p[1])
        else:
            found_gaps += 1
    expect(found_gaps == gaps, "%s: %d straight pieces cross a triangle side, expected %d" % (name, found_gaps, gaps))
    want = path_length_on(surface, path)
    expect(abs(length - want) <= 2e-4 * want + 1e-3, "%s: the drape is %.4f long in plan, the path on the surface %.4f"
           % (name, length, want))
    return v
