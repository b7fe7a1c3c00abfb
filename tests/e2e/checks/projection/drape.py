"""The eight pieces of linework on LINES are draped over "Teren" as 3D
polylines on Teren_DRAPE, each on the surface along its source; the line
on OTHER is not draped; no source changed."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from projection import (draped, entities_on, expect, expect_drape, expect_unchanged, path_of,  # noqa: E402
                        distance_to_path, result, source)

NAMES = ["L1 line", "L2 line from off the surface", "A1 arc 0-90", "A2 arc 270-90", "P1 LW polyline",
         "P2 2D polyline", "P3 3D polyline", "U polyline leaving and coming back"]

doc, surface = result()
src = source()
sources = entities_on(src, "LINES")
expect(len(sources) == len(NAMES), "the source drawing has %d entities on LINES" % len(sources))
drapes = draped(doc)
expect(len(drapes) == len(sources), "%d draped polylines for %d sources" % (len(drapes), len(sources)))

for name, e in zip(NAMES, sources):
    path = path_of(e)
    mine = [d for d in drapes if all(distance_to_path(path, *tuple(p.dxf.location)[:2]) < 0.0051 for p in d.vertices)]
    expect(len(mine) == 1, "%s: %d draped polylines follow it" % (name, len(mine)))
    v = expect_drape(surface, mine[0], path, name, gaps=1 if name.startswith("U") else 0)
    if name.startswith("L2"):
        expect(abs(v[0][0]) < 1e-6 and abs(v[0][1] - 50) < 1e-6, "L2: the drape starts at %s, not where the line "
               "enters the surface (0, 50)" % (v[0][:2],))
    if name.startswith("U"):
        for x, y in [(90, 100), (100, 90)]:
            expect(any(abs(p[0] - x) < 1e-6 and abs(p[1] - y) < 1e-6 for p in v),
                   "U: no vertex where it crosses the surface's edge at (%g, %g)" % (x, y))
        expect(abs(v[0][0] - 90) < 1e-6 and abs(v[0][1] - 95) < 1e-6 and abs(v[-1][0] - 95) < 1e-6,
               "U: the drape runs from %s to %s" % (v[0][:2], v[-1][:2]))

expect_unchanged(doc, src, ["LINES", "OTHER", "MARKS", "FACES"])
print("%d drapes on the surface along their sources" % len(drapes))
