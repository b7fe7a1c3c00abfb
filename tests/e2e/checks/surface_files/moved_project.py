"""moved_project.job: Ground was available in the moved folder, so it became current."""
from e2echeck import expect, read_dxf, work_path
import filesafety  # noqa: F401 (puts surfacedxf on the path)
from surfacedxf import engine_surfaces, expect_names

surfaces, current = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["Plan", "Ground"], "out.dxf")
expect(surfaces["Ground"]["path"] == "surfaces/ground.kvb", "Ground is recorded in %r" % surfaces["Ground"]["path"])
expect(current == "Ground", "the current surface is %r: Ground was not found in the moved folder" % current)
