"""Without the marker drawing: no marker and no marker block, but every
piece of linework (all layers) is draped, the text takes its elevation as
its string, the SPOT references their attribute H, and face F1 moves."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from projection import (draped, elevation_text, entities_on, expect, markers, result, source)  # noqa: E402

doc, surface = result()
src = source()
expect(not markers(doc), "markers were inserted without the marker drawing")
expect("KVX_ELEV" not in doc.blocks, "the drawing has a marker block")
linework = entities_on(src, "LINES") + entities_on(src, "OTHER")
expect(len(draped(doc)) == len(linework), "%d drapes for %d pieces of linework" % (len(draped(doc)), len(linework)))

texts = [e for e in doc.modelspace() if e.dxftype() == "TEXT"]
expect(len(texts) == 1, "%d texts" % len(texts))
x, y, z = texts[0].dxf.insert
expect((x, y, z) == (35, 45, 9), "the text moved to %s" % ((x, y, z),))
expect(texts[0].dxf.text == elevation_text(surface.z(x, y)), "the text reads %r" % texts[0].dxf.text)

for spot in [e for e in doc.modelspace() if e.dxftype() == "INSERT" and e.dxf.name == "SPOT"]:
    x, y, _ = spot.dxf.insert
    h = {a.dxf.tag: a.dxf.text for a in spot.attribs}["H"]
    expect(h == elevation_text(surface.z(x, y)), "SPOT at (%g, %g): H reads %r" % (x, y, h))

f1 = entities_on(doc, "FACES")[0]
corners = [tuple(f1.dxf.get("vtx%d" % i)) for i in range(4)]
expect(all(abs(z - surface.z(x, y)) < 1e-6 for x, y, z in corners), "face F1 was not moved onto the surface")
print("no markers; drapes, text, attributes and faces done")
