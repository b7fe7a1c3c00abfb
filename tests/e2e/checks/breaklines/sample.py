"""Types and layer from the picked creek: its three segments alone."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from definition import expect_lines, segments  # noqa: E402
from e2echeck import read_dxf, work_path  # noqa: E402

doc = read_dxf(work_path("out.dxf"))
expect_lines(doc, "Teren", segments(doc, types=("POLYLINE",), layers=("CREEK",)))
print("Teren: the creek's break lines")
