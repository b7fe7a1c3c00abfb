"""rings.job: the boundary of the two islands, as two closed rings round the
squares' corners on Islands_BOUNDARY, grouped together; the triangle edges
drawn as lines are in no group."""
from e2echeck import expect, read_dxf, work_path

doc = read_dxf(work_path("out.dxf"))
msp = doc.modelspace()
rings = [e for e in msp if e.dxftype() == "LWPOLYLINE" and e.dxf.layer == "Islands_BOUNDARY"]
expect(len(rings) == 2, "%d boundary rings, not 2" % len(rings))
squares = {frozenset([(x0, 0), (x0 + 10, 0), (x0 + 10, 10), (x0, 10)]) for x0 in (0, 100)}
drawn = set()
for ring in rings:
    points = [(round(x, 6), round(y, 6)) for x, y in ring.get_points("xy")]
    expect(len(points) == 5 and points[0] == points[-1], "a ring is not closed round 4 corners: %r" % points)
    drawn.add(frozenset(points[:-1]))
expect(drawn == squares, "the rings go round %r, not the islands" % [sorted(r) for r in drawn])
groups = [sorted(e.dxf.handle for e in g) for _, g in doc.groups]
expect(groups == [sorted(r.dxf.handle for r in rings)], "the groups are %r, not the two rings" % groups)
lines = [e for e in msp if e.dxftype() == "LINE"]
expect(len(lines) == 16, "%d triangle edges drawn, not 16" % len(lines))
print("two rings, grouped")
