"""save_fails_at_close.job: a read-only surface file to attach and points it does not hold."""
from e2echeck import work_path
from filesafety import copy_sample

copy_sample("ro.kvb", 0o444)
with open(work_path("extra.xyz"), "w") as f:
    f.write("1000.5 2000.5 101.0\n1010.5 2000.5 102.0\n1005.5 2010.5 103.0\n")
