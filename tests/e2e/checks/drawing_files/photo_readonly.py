"""drawing_picture_readonly: the read-only picture as it was, still read-only, nothing left beside it."""
from drawingsafety import expect_no_temporaries, expect_unchanged, mode_of
from e2echeck import expect

expect_unchanged("ro.png")
expect(mode_of("ro.png") == 0o444, "ro.png has mode %o" % mode_of("ro.png"))
expect_no_temporaries("")
