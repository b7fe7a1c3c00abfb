"""Loading into a drawing without surfaces made none."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2echeck import read_dxf, work_path  # noqa: E402
from surfaces import expect_surfaces  # noqa: E402

expect_surfaces(read_dxf(work_path("out.dxf")), {})
print("no surface")
