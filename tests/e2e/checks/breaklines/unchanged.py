"""Nothing saved after Cancel: "Teren" holds its survey points and neither
break lines nor swaps; the drawing keeps every entity."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from definition import definitions  # noqa: E402
from e2echeck import expect, read_dxf, source_path, work_path  # noqa: E402

doc = read_dxf(work_path("out.dxf"))
got = definitions(doc)
expect(list(got) == ["Teren"], "the drawing holds the surfaces %s" % sorted(got))
expect(got["Teren"]["lines"] == [] and got["Teren"]["swaps"] == [],
       "Teren holds %d break lines and %d swaps after Cancel" % (len(got["Teren"]["lines"]), len(got["Teren"]["swaps"])))
expect(len(got["Teren"]["points"]) in (4, 26), "Teren holds %d points" % len(got["Teren"]["points"]))
original = read_dxf(source_path("tests", "e2e", "drawings", "breaklines", "breaklines.dxf"))
expect(len(doc.modelspace()) == len(original.modelspace()), "the drawing lost or gained entities")
print("Teren unchanged")
