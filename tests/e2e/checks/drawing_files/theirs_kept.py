"""drawing_replace_* refused: theirs.dxf byte for byte as it was, nothing left beside it."""
from drawingsafety import expect_no_temporaries, expect_unchanged

expect_unchanged("theirs.dxf")
expect_no_temporaries("")
