"""new_surface.job: Teren and teren kept in the drawing, N in other.kvb,
the file the browse button gave."""
import os

from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, expect_names

surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["Teren", "teren", "N"], "out.dxf")
storage = {name: s["storage"] for name, s in surfaces.items()}
expect(storage["Teren"] == storage["teren"] == "dict" and storage["N"] != "dict", "storage %r" % storage)
expect(os.path.basename(surfaces["N"]["path"]) == "other.kvb", "N is kept in %r" % surfaces["N"]["path"])
expect(os.path.isfile(work_path("other.kvb")), "other.kvb was not written")
