"""One swap saved: the diagonal from A (100,0) to C (112,12); the points as
loaded, no break line."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from definition import definitions  # noqa: E402
from e2echeck import expect, read_dxf, work_path  # noqa: E402

teren = definitions(read_dxf(work_path("out.dxf")))["Teren"]
expect(len(teren["points"]) == 4, "Teren holds %d points, not the 4 of QUAD" % len(teren["points"]))
expect(len(teren["swaps"]) == 1, "Teren holds %d swaps, not 1" % len(teren["swaps"]))
ends = sorted([teren["swaps"][0][:2], teren["swaps"][0][2:]])
expect(ends == [(100.0, 0.0), (112.0, 12.0)], "the swapped diagonal runs %s, not A-C" % ends)
print("Teren: diagonal A-C")
