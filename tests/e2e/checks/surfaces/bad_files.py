"""bad_files.job: the refused files left the drawing with A alone."""
from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, expect_names

surfaces, current = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["A"], "out.dxf")
expect(current == "A", "the current surface is %r" % current)
