"""The sample drawing, opened and saved by cadhost, read back by ezdxf:
every entity with its layer, geometry and texts, the layers and the block."""
from collections import Counter

from e2echeck import close, expect, read_dxf, source_path, work_path

ours = read_dxf(work_path("out.dxf"))
theirs = read_dxf(source_path("samples", "site.dxf"))


def summary(doc):
    return Counter((e.dxftype(), e.dxf.layer) for e in doc.modelspace())


expect(summary(ours) == summary(theirs), "entities differ: %s vs %s" % (summary(ours), summary(theirs)))

for name in ("SURVEY_POINTS", "BREAKLINES", "ROADS", "LABELS"):
    a, b = ours.layers.get(name), theirs.layers.get(name)
    expect(a is not None, "layer %s is missing" % name)
    expect(a.color == b.color and a.dxf.linetype.lower() == b.dxf.linetype.lower(),
           "layer %s changed: colour %s linetype %s" % (name, a.color, a.dxf.linetype))


def points(doc):
    return sorted(tuple(e.dxf.location) for e in doc.modelspace().query("POINT"))


for p, q in zip(points(ours), points(theirs)):
    expect(close(p, q), "point %s should be %s" % (p, q))
texts = lambda doc: sorted((e.dxf.text, tuple(round(c, 6) for c in e.dxf.insert)) for e in doc.modelspace().query("TEXT"))
expect(texts(ours) == texts(theirs), "texts differ")

road, road0 = ours.modelspace().query("LWPOLYLINE")[0], theirs.modelspace().query("LWPOLYLINE")[0]
expect(len(road) == len(road0), "the road has %d vertices, not %d" % (len(road), len(road0)))
for v, w in zip(road.get_points("xyb"), road0.get_points("xyb")):
    expect(close(v, w), "road vertex %s should be %s" % (v, w))
creek, creek0 = ours.modelspace().query("POLYLINE")[0], theirs.modelspace().query("POLYLINE")[0]
expect(creek.is_3d_polyline, "the break line is no longer a 3D polyline")
for v, w in zip(creek.points(), creek0.points()):
    expect(close(v, w), "break line vertex %s should be %s" % (v, w))


def inserts(doc):
    return sorted((e.dxf.name, tuple(round(c, 6) for c in e.dxf.insert),
                   tuple(sorted((a.dxf.tag, a.dxf.text) for a in e.attribs))) for e in doc.modelspace().query("INSERT"))


expect(inserts(ours) == inserts(theirs), "block references differ: %s" % inserts(ours))
print("round trip: %d entities as in the sample" % sum(summary(ours).values()))
