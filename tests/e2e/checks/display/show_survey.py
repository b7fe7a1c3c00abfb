"""show_survey.job: the drawing holds what SHOW drew of the 17000-shot surface.

  3D faces on Teren_TIN    the triangles of scipy's Delaunay triangulation of
                           the shots, tagged with the surface name and their
                           16-bit index (wrapping above 32767)
  LWPOLYLINE on _BOUNDARY  the convex hull, closed, in no group
  LINEs on Teren_TIN       the edges whose midpoint lies in the picked
                           polygon, tagged, all in one group
  3D faces on Teren_GRID   exactly the cells of the grid walk over the
                           polyline's polygon, corners on the surface
  LINEs on Teren_GRID      exactly the segments of the walk over the view
"""
import ctypes

import numpy as np
from scipy.spatial import ConvexHull, Delaunay

from e2echeck import expect, read_dxf, work_path
from gridwalk import inside, view_rectangle, walk_cells, walk_segments

SURVEY = work_path("../display/display_survey.xyz")

shots = np.loadtxt(SURVEY, comments="#")
xy = shots[:, :2]
tin = Delaunay(xy)
key = {(round(x, 3), round(y, 3)): z for x, y, z in shots}


def elevation(p):
    """The surface's elevation at p by the plane of scipy's triangle there."""
    t = int(tin.find_simplex(np.array([p]))[0])
    expect(t >= 0, "grid corner %r is off the survey" % (p,))
    b = tin.transform[t, :2].dot(np.array(p) - tin.transform[t, 2])
    w = np.array([b[0], b[1], 1 - b.sum()])
    return float(w.dot(shots[tin.simplices[t], 2]))


def plan(v):
    return (round(v[0], 3), round(v[1], 3))


def tags(e):
    name = e.get_xdata("KV2_SurfaceName") if e.has_xdata("KV2_SurfaceName") else None
    for app in ("KV2_TrinagleId", "KV2_EndgeId"):
        if e.has_xdata(app):
            return name, app, list(e.get_xdata(app))
    return name, None, None


doc = read_dxf(work_path("survey.dxf"))
msp = doc.modelspace()
layers = {l.dxf.name: l for l in doc.layers}
for name, colour in (("Teren_TIN", 8), ("Teren_GRID", 9), ("Teren_BOUNDARY", 1)):
    expect(name in layers, "no layer %s: %s" % (name, sorted(layers)))
    expect(layers[name].dxf.color == colour, "%s has colour %r" % (name, layers[name].dxf.color))


def on(kind, layer):
    return [e for e in msp if e.dxftype() == kind and e.dxf.layer == layer]


# The triangles.
faces = on("3DFACE", "Teren_TIN")
expected = {frozenset(plan(xy[i]) for i in s) for s in tin.simplices}
drawn = set()
for k, f in enumerate(faces):
    corners = [f.dxf.vtx0, f.dxf.vtx1, f.dxf.vtx2, f.dxf.vtx3]
    expect(corners[3] == corners[2], "face %d has four corners" % k)
    for c in corners[:3]:
        expect(plan(c) in key and abs(key[plan(c)] - c[2]) < 1e-9, "face %d corner %r is no shot" % (k, c))
    drawn.add(frozenset(plan(c) for c in corners[:3]))
    name, app, value = tags(f)
    expect(name is not None and list(name) == [(1000, "Teren")], "face %d surface tag %r" % (k, name))
    expect(app == "KV2_TrinagleId" and [tuple(t) for t in value] == [(1070, ctypes.c_int16(k).value)],
           "face %d index tag %r %r" % (k, app, value))
expect(len(faces) > 32768, "only %d faces: the wrapping index goes untested" % len(faces))
expect(len(drawn) == len(faces), "some triangles were drawn twice")
expect(drawn == expected, "%d triangles drawn are not Delaunay's, %d of Delaunay's missing"
       % (len(drawn - expected), len(expected - drawn)))

# The boundary: the hull, closed, alone and ungrouped.
rings = on("LWPOLYLINE", "Teren_BOUNDARY")
expect(len(rings) == 1, "%d boundary rings" % len(rings))
ring = [plan(p) for p in rings[0].get_points("xy")]
expect(ring[0] == ring[-1], "the boundary ring is not closed")
hull = {plan(xy[i]) for i in ConvexHull(xy).vertices}
expect(set(ring[:-1]) == hull, "the boundary is not the hull")
grouped = {h for g in doc.groups.groups() for h in (e.dxf.handle for e in g)}
expect(rings[0].dxf.handle not in grouped, "the single ring was grouped")

# The edges in the picked polygon, grouped.
polygon = [(200, 200), (450, 230), (420, 470), (230, 430), (200, 200)]
edges = set()
for s in tin.simplices:
    for a, b in ((s[0], s[1]), (s[1], s[2]), (s[2], s[0])):
        mid = ((xy[a][0] + xy[b][0]) / 2, (xy[a][1] + xy[b][1]) / 2)
        if inside(polygon, mid):
            edges.add(frozenset((plan(xy[a]), plan(xy[b]))))
lines = on("LINE", "Teren_TIN")
expect({frozenset((plan(l.dxf.start), plan(l.dxf.end))) for l in lines} == edges,
       "the %d lines are not the %d edges with their midpoint in the polygon" % (len(lines), len(edges)))
for k, l in enumerate(lines):
    name, app, value = tags(l)
    expect(list(name) == [(1000, "Teren")] and app == "KV2_EndgeId" and
           [tuple(t) for t in value] == [(1070, k)], "line %d tags %r %r %r" % (k, name, app, value))
line_group = [g for g in doc.groups.groups() if {e.dxf.handle for e in g} == {l.dxf.handle for l in lines}]
expect(len(line_group) == 1, "the edges are not one group")
# The sides shown while polygons were picked are gone again.
stray = [l for l in doc.modelspace().query("LINE") if l.dxf.layer not in ("Teren_TIN", "Teren_GRID")]
expect(not stray, "%d lines of picked polygons stay in the drawing" % len(stray))


def check_walk(kind, drawn, expected):
    expect(len(drawn) == len(expected), "%d grid %s drawn, the walk gives %d" % (len(drawn), kind, len(expected)))
    for k, (got, want) in enumerate(zip(drawn, expected)):
        for g, w in zip(got, want):
            expect(g[0] == w[0] and g[1] == w[1], "grid %s %d: %r, the walk gives %r" % (kind, k, got, want))
            expect(abs(g[2] - elevation(w)) < 1e-6, "grid %s %d corner %r is not on the surface" % (kind, k, g))


# Grid cells over the polyline's polygon (closed by the first point).
area = [(120, 140), (610, 180), (700, 520), (380, 760), (150, 500), (120, 140)]
cells = [c for c in walk_cells(area, 25.0, 30.5) if all(inside(area, p) for p in c)]
grid_faces = on("3DFACE", "Teren_GRID")
check_walk("cells", [[f.dxf.vtx0, f.dxf.vtx1, f.dxf.vtx2, f.dxf.vtx3] for f in grid_faces], cells)
expect(all(not f.has_xdata("KV2_SurfaceName") for f in grid_faces), "grid faces carry tags")

# Grid segments over the current view of the default 1600 x 1200 screen.
view = view_rectangle((800, 300), 200, 1600, 1200)
segments = [s for s in walk_segments(view, 7.5, 12.0) if all(inside(view, p) for p in s)]
check_walk("segments", [[l.dxf.start, l.dxf.end] for l in on("LINE", "Teren_GRID")], segments)
