"""Every segment of the drawing's lines and polylines is a break line of
"Teren", with the elevations the entities hold; "Teren" keeps its 26 survey
points."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from definition import definitions, expect_lines, segments  # noqa: E402
from e2echeck import expect, read_dxf, work_path  # noqa: E402

doc = read_dxf(work_path("out.dxf"))
expected = segments(doc)
expect(len(expected) == 14, "the drawing should make 14 segments, not %d" % len(expected))
expect_lines(doc, "Teren", expected)
expect(len(definitions(doc)["Teren"]["points"]) == 26, "Teren lost or gained survey points")
print("Teren: %d break lines" % len(expected))
