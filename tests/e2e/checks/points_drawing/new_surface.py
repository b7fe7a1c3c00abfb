"""The new surface "Novi": points and the circle of every layer, then the
2D and 3D polylines inside the window; "Teren" as it was."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2echeck import read_dxf, work_path  # noqa: E402
from surfaces import expect_surfaces  # noqa: E402

doc = read_dxf(work_path("out.dxf"))
expect_surfaces(doc, {
    "Teren": [(-50, -50, 1), (-40, -50, 2), (-50, -40, 3)],
    "Novi": [(60, 0, 19), (60, 10, 20), (120, 0, 32), (50, 5, 18),
             (30, 0, 14), (35, 5, 14), (40, 0, 15), (45, 5, 16), (40, 10, 17)],
})
print("Novi made and loaded")
