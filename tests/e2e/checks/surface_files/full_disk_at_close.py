"""full_disk_at_close.job: the old file whole, nothing else written."""
import os

from e2echeck import expect, work_path
from filesafety import expect_no_temporaries, expect_unchanged, unmount

try:
    expect_unchanged("small/old.kvb")
    expect_no_temporaries("small")
    expect(not os.path.exists(work_path("small/big.kvb")), "a big.kvb was written")
finally:
    unmount("small")
