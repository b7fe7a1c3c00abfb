"""readonly_and_links.job: a read-only surface file and a link to a private one."""
import os

from e2echeck import work_path
from filesafety import copy_sample

copy_sample("ro.kvb", 0o444)
copy_sample("real/target.kvb", 0o640)
os.symlink("real/target.kvb", work_path("link.kvb"))
