"""new_over_existing.job: the export kept, the other file replaced by surface B, which the
drawing records relative to itself with the description typed before the question."""
from e2echeck import expect, read_dxf, work_path
from filesafety import expect_no_temporaries, expect_unchanged, surface_name
from surfacedxf import engine_surfaces

expect_unchanged("project/site.kvb")
expect(surface_name(work_path("project/other.kvb")) == "B", "project/other.kvb does not hold surface B")
expect_no_temporaries("project")
surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
b = surfaces.get("B")
expect(b is not None, "the drawing has no surface B")
expect(b["storage"] == "file" and b["path"] == "other.kvb", "B is recorded as %r in %r" % (b["storage"], b["path"]))
expect(b["description"] == "typed once", "B's description is %r" % b["description"])
