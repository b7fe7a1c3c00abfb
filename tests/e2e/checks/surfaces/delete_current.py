"""delete_current.job: B and D are left, D current."""
from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, expect_names

surfaces, current = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["B", "D"], "out.dxf")
expect(current == "D", "the current surface is %r, expected D" % current)
