"""The drawing's surfaces as they were: "Teren" with its three points and
no other surface."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2echeck import read_dxf, work_path  # noqa: E402
from surfaces import expect_surfaces  # noqa: E402

expect_surfaces(read_dxf(work_path("out.dxf")), {"Teren": [(-50, -50, 1), (-40, -50, 2), (-50, -40, 3)]})
print("Teren unchanged")
