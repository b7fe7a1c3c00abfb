"""lattice.job: what SHOW drew of the 3 x 3 lattice each way, each drawing
taken back before the next (the lattice.dxf it started from has none):

  triangle_lines.dxf   16 LINEs on Teren_TIN, the triangles' edges, grouped
  triangle_faces.dxf   8 3DFACEs on Teren_TIN, in no group
  grid_lines.dxf       4 LINEs on Teren_GRID, grouped
  grid_faces.dxf       1 3DFACE on Teren_GRID, in no group (one entity)
"""
from e2echeck import expect, read_dxf, work_path

base = {e.dxf.handle for e in read_dxf(work_path("lattice.dxf")).modelspace()}
for name, kind, layer, count, grouped in (("triangle_lines", "LINE", "Teren_TIN", 16, True),
                                          ("triangle_faces", "3DFACE", "Teren_TIN", 8, False),
                                          ("grid_lines", "LINE", "Teren_GRID", 4, True),
                                          ("grid_faces", "3DFACE", "Teren_GRID", 1, False)):
    doc = read_dxf(work_path(name + ".dxf"))
    drawn = [e for e in doc.modelspace() if e.dxf.handle not in base]
    kinds = sorted({(e.dxftype(), e.dxf.layer) for e in drawn})
    expect(kinds == [(kind, layer)], "%s: drew %r, not %ss on %s" % (name, kinds, kind, layer))
    expect(len(drawn) == count, "%s: %d %ss, not %d" % (name, len(drawn), kind, count))
    groups = [sorted(e.dxf.handle for e in g) for _, g in doc.groups]
    want = [sorted(e.dxf.handle for e in drawn)] if grouped else []
    expect(groups == want, "%s: the groups hold %r, not %r" % (name, groups, want))
print("each way drawn as it should be")
