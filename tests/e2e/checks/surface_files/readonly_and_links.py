"""readonly_and_links.job: the read-only file untouched, the link kept and its file replaced."""
import os

from e2echeck import expect, read_dxf, work_path
from filesafety import expect_no_temporaries, expect_unchanged, mode_of, surface_name
from surfacedxf import engine_surfaces, expect_names

expect_unchanged("ro.kvb")
expect(mode_of("ro.kvb") == 0o444, "ro.kvb has mode %o" % mode_of("ro.kvb"))
expect(os.path.islink(work_path("link.kvb")), "link.kvb is no longer a link")
expect(os.readlink(work_path("link.kvb")) == "real/target.kvb", "link.kvb points elsewhere")
expect(surface_name(work_path("real/target.kvb")) == "D", "the link's file does not hold surface D")
expect(mode_of("real/target.kvb") == 0o640, "the link's file has mode %o" % mode_of("real/target.kvb"))
expect_no_temporaries("", "real")
surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["D"], "out.dxf")
