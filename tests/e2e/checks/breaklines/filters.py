"""Two Sets: the polylines of ROAD and CREEK, then the lines of the same
layers; nothing of OTHER or SINGLE."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from definition import expect_lines, segments  # noqa: E402
from e2echeck import expect, read_dxf, work_path  # noqa: E402

doc = read_dxf(work_path("out.dxf"))
polylines = segments(doc, types=("LWPOLYLINE", "POLYLINE"), layers=("ROAD", "CREEK"))
lines = segments(doc, types=("LINE",), layers=("ROAD", "CREEK"))
expect((len(polylines), len(lines)) == (11, 1), "expected 11 + 1 segments, got %d + %d" % (len(polylines), len(lines)))
expect_lines(doc, "Teren", polylines + lines)
print("Teren: %d break lines" % (len(polylines) + len(lines)))
