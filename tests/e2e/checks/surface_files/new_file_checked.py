"""new_file_checked.job: F made once, with what was typed before the refusals."""
import os

from e2echeck import expect, read_dxf, work_path
import filesafety  # noqa: F401 (puts surfacedxf on the path)
from surfacedxf import engine_surfaces, expect_names

surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["F"], "out.dxf")
expect(surfaces["F"]["description"] == "kept", "F's description is %r" % surfaces["F"]["description"])
expect(os.path.isfile(work_path("f.kvb")), "f.kvb was not written")
expect(not os.path.exists(work_path("nofolder")), "a folder nofolder was made")
