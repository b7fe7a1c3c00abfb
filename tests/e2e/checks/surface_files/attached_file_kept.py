"""attached_file_kept.job: the attached survey's file as it was, its surface whole."""
from e2echeck import expect, read_dxf, work_path
from filesafety import expect_no_temporaries, expect_unchanged, surface_name
from surfacedxf import engine_surfaces, expect_names

expect_unchanged("survey.kvb")
expect_no_temporaries("")
expect(surface_name(work_path("n.kvb")) == "N", "n.kvb does not hold surface N")
surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["Teren_2009", "N", "Teren_2009_1"], "out.dxf")
expect(surfaces["Teren_2009"]["points"] > 0, "the attached survey lost its points")
