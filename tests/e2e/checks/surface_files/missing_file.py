"""missing_file.job: the file surface whose file had gone is still recorded with its
file, and Plan became current again when A was deleted."""
import os

from e2echeck import expect, read_dxf, work_path
import filesafety  # noqa: F401 (puts surfacedxf on the path)
from surfacedxf import engine_surfaces, expect_names

surfaces, current = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["Plan", "Ground"], "out.dxf")
expect(surfaces["Ground"]["path"] == "surfaces/ground.kvb", "Ground is recorded in %r" % surfaces["Ground"]["path"])
expect(current == "Plan", "the current surface is %r, not Plan" % current)
expect(not os.path.exists(work_path("gone/surfaces/ground.kvb")), "a file was made for the missing surface")
