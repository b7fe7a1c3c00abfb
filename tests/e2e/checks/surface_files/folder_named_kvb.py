"""folder_named_kvb.job: no surface, the folder and its file as they were."""
import os

from e2echeck import expect, read_dxf, work_path
import filesafety  # noqa: F401 (puts surfacedxf on the path)
from surfacedxf import engine_surfaces

expect(os.path.isdir(work_path("x.kvb")), "x.kvb is no longer a folder")
with open(work_path("x.kvb/inside.txt")) as f:
    expect(f.read() == "kept\n", "x.kvb/inside.txt changed")
surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
expect(not surfaces, "surfaces were made: %s" % ", ".join(surfaces))
