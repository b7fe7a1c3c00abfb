"""lattice.job: what SHOW drew of the 3 x 3 lattice each way, each drawing
taken back before the next (the lattice.dxf it started from has none):

  triangle_vectors.png the 16 triangle edges as temporary vectors, yellow on
                       the dark background: yellow at the middle of each of
                       the 12 sides of the cells and at each cell's centre,
                       where its diagonal passes whichever way it goes
  grid_vectors.png     the grid of 10 as temporary vectors: only the four
                       sides of the cell at the origin, the segments that
                       end below the lattice's maximum

  triangle_lines.dxf   16 LINEs on Teren_TIN, the triangles' edges, grouped
  triangle_faces.dxf   8 3DFACEs on Teren_TIN, in no group
  grid_lines.dxf       4 LINEs on Teren_GRID, grouped
  grid_faces.dxf       1 3DFACE on Teren_GRID, in no group (one entity)
"""
from e2echeck import Png, expect, read_dxf, work_path


def yellow(p):
    """Yellow, or the yellow of a line spread over two rows of pixels."""
    return p[0] - p[2] > 80 and p[1] - p[2] > 80


def vector_through(picture, x, y):
    """Whether the picture shows a vector near (x, y): the view is 30 high
    over (10, 10) in 200 x 150 pixels, 5 pixels a unit."""
    px, py = round(50 + 5 * x), round(124.5 - 5 * y)
    return any(yellow(picture.pixel(i, j)) for i in range(px - 2, px + 3) for j in range(py - 2, py + 3))


sides = [(x, y) for x in (5, 15) for y in (0, 10, 20)] + [(x, y) for x in (0, 10, 20) for y in (5, 15)]
triangles = Png(work_path("triangle_vectors.png"))
for x, y in sides + [(x, y) for x in (5, 15) for y in (5, 15)]:
    expect(vector_through(triangles, x, y), "triangle_vectors.png: no vector through (%g, %g)" % (x, y))
grid = Png(work_path("grid_vectors.png"))
for x, y in sides:
    drawn = (x, y) in ((5, 0), (5, 10), (0, 5), (10, 5))
    expect(vector_through(grid, x, y) == drawn,
           "grid_vectors.png: %s vector through (%g, %g)" % ("no" if drawn else "a", x, y))

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
