"""Faces on FACES: F1, all on the surface, has its four corners moved onto
it; F2, with corner 1 off the surface, keeps its corners; F3, with corner 3
off the surface, has corners 0 to 2 moved and keeps corner 3. Corners move
only in z. No marker, no drape, nothing else changed."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from projection import (draped, entities_on, expect, expect_unchanged, markers, result, source)  # noqa: E402

doc, surface = result()
src = source()
before = [e for e in entities_on(src, "FACES")]
after = [e for e in entities_on(doc, "FACES")]
expect(len(after) == len(before) == 3, "%d faces, were %d" % (len(after), len(before)))

moved = {"F1": [0, 1, 2, 3], "F2": [], "F3": [0, 1, 2]}
for name, old, new in zip(["F1", "F2", "F3"], before, after):
    for i in range(4):
        o, n = old.dxf.get("vtx%d" % i), new.dxf.get("vtx%d" % i)
        expect(abs(o[0] - n[0]) < 1e-9 and abs(o[1] - n[1]) < 1e-9, "%s corner %d moved in plan" % (name, i))
        want = surface.z(o[0], o[1]) if i in moved[name] else o[2]
        expect(abs(n[2] - want) < 1e-6, "%s corner %d is at %.6f, expected %.6f" % (name, i, n[2], want))

expect(not markers(doc) and not draped(doc), "faces made markers or drapes")
expect_unchanged(doc, src, ["LINES", "OTHER", "MARKS"])
print("faces moved where their first three corners lie on the surface")
