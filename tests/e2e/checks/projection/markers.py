"""Markers for the entities on MARKS: the circle (twice: the second apply
marks it again), the point on the surface, the text and the block TREE
each get a KVX_ELEV marker on Teren_ELEV at the surface elevation reading
it with two decimals; the point off the surface gets none; both SPOT
references take the elevation into their attribute H and get no marker.
The marker block is in the drawing once. Nothing else changed."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from projection import (elevation_text, entities_on, expect, expect_marker, expect_unchanged,  # noqa: E402
                        markers, result, source)

doc, surface = result()
src = source()

marked = [(25, 60), (55, 35), (35, 45), (65, 55), (25, 60)]
found = markers(doc)
expect(len(found) == len(marked), "%d markers, expected %d" % (len(found), len(marked)))
for x, y in marked:
    here = [m for m in found if abs(m.dxf.insert[0] - x) < 1e-6 and abs(m.dxf.insert[1] - y) < 1e-6]
    expect(len(here) == marked.count((x, y)), "%d markers at (%g, %g)" % (len(here), x, y))
    for m in here:
        expect_marker(surface, m, x, y)
expect(len([b for b in doc.blocks if b.name.upper() == "KVX_ELEV"]) == 1, "the marker block is not there once")

spots = [e for e in entities_on(doc, "MARKS") if e.dxftype() == "INSERT" and e.dxf.name == "SPOT"]
expect(len(spots) == 2, "%d SPOT references" % len(spots))
for spot in spots:
    x, y, z = spot.dxf.insert
    expect(z == 9, "SPOT at (%g, %g) moved to elevation %g" % (x, y, z))
    texts = {a.dxf.tag: a.dxf.text for a in spot.attribs}
    expect(texts.get("H") == elevation_text(surface.z(x, y)),
           "SPOT at (%g, %g): H reads %r, not %s" % (x, y, texts.get("H"), elevation_text(surface.z(x, y))))

expect_unchanged(doc, src, ["LINES", "OTHER", "MARKS", "FACES"],
                 changed=[lambda e: e.dxftype() == "INSERT" and e.dxf.name == "SPOT"])
print("%d markers, %d attributes" % (len(found), len(spots)))
