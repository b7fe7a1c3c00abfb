"""drawing_picture_* refused: photo.png byte for byte as it was, nothing left beside it."""
from drawingsafety import expect_no_temporaries, expect_unchanged

expect_unchanged("photo.png")
expect_no_temporaries("")
