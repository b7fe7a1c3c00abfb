"""write_full_disk.job: the earlier export whole, nothing left beside it, A in the drawing."""
from e2echeck import read_dxf, work_path
from filesafety import expect_no_temporaries, expect_unchanged, unmount
from surfacedxf import engine_surfaces, expect_names

try:
    expect_unchanged("small/old.kvb")
    expect_no_temporaries("small")
finally:
    unmount("small")
surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
expect_names(surfaces, ["A"], "out.dxf")
