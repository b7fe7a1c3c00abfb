"""manager.job: A, A_1 (edited) and B (read from A's file as A_2, then
renamed) in the drawing, B current; the attached A_3 deleted, its file kept."""
import os

from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, expect_names

surfaces, current = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["A", "A_1", "B"], "out.dxf")
expect(current == "B", "the current surface is %r, expected B" % current)
expect(all(s["storage"] == "dict" for s in surfaces.values()), "every surface lives in the drawing")
expect(surfaces["A"]["description"] == "first", "A's description: %r" % surfaces["A"]["description"])
# Read from A's file: A's description comes along.
expect(surfaces["B"]["description"] == "first", "B's description: %r" % surfaces["B"]["description"])
a1 = surfaces["A_1"]
expect(a1["description"] == "second, edited", "A_1's description: %r" % a1["description"])
expect(a1["layers"][1] == ("A1_TIN", 3, "Continuous"), "A_1's triangle layer: %r" % (a1["layers"][1],))
# A layer name with a space is not taken.
expect(a1["layers"][2][0] == "A_1_GRID", "A_1's grid layer: %r" % (a1["layers"][2],))
expect(a1["layers"][6][::2] == ("A1_CONTOURS", "ByLayer"), "A_1's contour layer: %r" % (a1["layers"][6],))
# The boundary's linetype is stored as the dialog showed it.
expect(a1["layers"][3][2] == "Continuous", "A_1's boundary layer: %r" % (a1["layers"][3],))
expect(os.path.isfile(work_path("a.kvb")), "deleting the file surface removed its file")
