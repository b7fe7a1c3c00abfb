"""drawing_save_readonly: the read-only drawing as it was, still read-only, nothing left beside it."""
from drawingsafety import expect_no_temporaries, expect_unchanged, mode_of
from e2echeck import expect

expect_unchanged("ro.dxf")
expect(mode_of("ro.dxf") == 0o444, "ro.dxf has mode %o" % mode_of("ro.dxf"))
expect_no_temporaries("")
