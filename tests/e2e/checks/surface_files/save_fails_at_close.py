"""save_fails_at_close.job: the read-only file as it was, and the job stopped at the failure."""
import os

from e2echeck import expect, work_path
from filesafety import expect_no_temporaries, expect_unchanged, mode_of

expect_unchanged("ro.kvb")
expect(mode_of("ro.kvb") == 0o444, "ro.kvb has mode %o" % mode_of("ro.kvb"))
expect_no_temporaries("")
expect(not os.path.exists(work_path("out.dxf")), "the job went on after the failed save")
