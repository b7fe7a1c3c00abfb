"""drawing_picture_* agreed: photo.png is now the picture of the drawing, with cadhost's mark."""
from drawingsafety import expect_no_temporaries
from e2echeck import Png, expect, work_path

with open(work_path("photo.png"), "rb") as f:
    data = f.read()
expect(b"tEXtSoftware\x00cadhost" in data, "photo.png is not a picture cadhost drew")
expect(Png(work_path("photo.png")).width > 2, "photo.png still holds the 2 x 2 photo")
expect_no_temporaries("")
