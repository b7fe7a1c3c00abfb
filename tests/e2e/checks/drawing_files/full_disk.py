"""drawing_save_full_disk: the drawing as it was, nothing left beside it."""
from drawingsafety import expect_no_temporaries, expect_unchanged, unmount

try:
    expect_unchanged("small/site.dxf")
    expect_no_temporaries("small")
finally:
    unmount("small")
