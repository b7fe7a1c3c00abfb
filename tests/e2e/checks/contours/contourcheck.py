"""What the contour checkers share: the survey's independent surface
(scipy's Delaunay triangulation of the same points), contours traced on it
with numpy, and the contour polylines of a saved drawing."""
import math

import numpy as np
from scipy.spatial import Delaunay

from e2echeck import expect, source_path


class Survey:
    """A survey file's points and their Delaunay triangulation in plan."""

    def __init__(self, name):
        self.points = np.loadtxt(source_path("tests", "e2e", "drawings", "contours", name))
        self.tri = Delaunay(self.points[:, :2])

    def elevation(self, x, y):
        """The plane of the triangle under (x, y), or None off the surface."""
        s = int(self.tri.find_simplex(np.array([[x, y]]), tol=1e-9)[0])
        if s < 0:
            return None
        t = self.tri.transform[s]
        b = t[:2].dot(np.array([x, y]) - t[2])
        w = np.array([b[0], b[1], 1 - b.sum()])
        return float(w.dot(self.points[self.tri.simplices[s], 2]))

    def contour_length(self, level):
        """The length of the level's contour: in every triangle, the stretch
        between the crossings of its sides, a corner at the level counting
        as above it."""
        p = self.points[self.tri.simplices]  # (n, 3 corners, xyz)
        above = p[:, :, 2] >= level
        total = 0.0
        for k in np.nonzero(above.any(axis=1) & ~above.all(axis=1))[0]:
            ends = []
            for i, j in ((0, 1), (1, 2), (2, 0)):
                if above[k, i] != above[k, j]:
                    a, b = p[k, i], p[k, j]
                    t = (level - a[2]) / (b[2] - a[2])
                    ends.append(a[:2] + t * (b[:2] - a[:2]))
            total += float(np.hypot(*(ends[0] - ends[1])))
        return total


def contour_tag(entity):
    """(level, major) of a contour polyline, or None for another polyline."""
    if not entity.has_xdata("KVLX_CONTOUR"):
        return None
    tags = entity.get_xdata("KVLX_CONTOUR")
    level = next(v for c, v in tags if c == 1040)
    major = next(v for c, v in tags if c == 1070)
    return level, major == 1


def contours(doc):
    """{level: [(polyline, major)]} of the drawing's contour polylines."""
    out = {}
    for e in doc.modelspace().query("LWPOLYLINE"):
        tag = contour_tag(e)
        if tag:
            out.setdefault(tag[0], []).append((e, tag[1]))
    return out


def plan_points(polyline):
    pts = [(x, y) for x, y, *_ in polyline.get_points("xy")]
    if polyline.closed:
        pts.append(pts[0])
    return pts


def length(polyline):
    pts = plan_points(polyline)
    return sum(math.dist(a, b) for a, b in zip(pts, pts[1:]))


def levels_by_addition(start, stop, step):
    """The dialog's levels: repeated addition, as the program does it."""
    out, level = [], start
    while stop >= level:
        out.append(level)
        level += step
    return out


def check_on_surface(survey, by_level, tolerance=1e-6):
    """Every vertex of every contour lies on the surface at its level."""
    for level, lines in by_level.items():
        for line, _ in lines:
            expect(abs(line.dxf.elevation - level) < 1e-9,
                   "the contour %s lies at %s" % (level, line.dxf.elevation))
            for x, y in plan_points(line):
                z = survey.elevation(x, y)
                expect(z is not None and abs(z - level) < tolerance,
                       "the contour %s has the vertex %.4f,%.4f where the surface is at %s" % (level, x, y, z))


def check_lengths(survey, by_level, tolerance=1e-7):
    for level, lines in by_level.items():
        drawn = sum(length(line) for line, _ in lines)
        expected = survey.contour_length(level)
        expect(abs(drawn - expected) <= tolerance * max(1.0, expected),
               "the contour %s is %.9f long, the survey's surface gives %.9f" % (level, drawn, expected))
