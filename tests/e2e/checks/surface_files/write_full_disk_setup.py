"""write_full_disk.job: a small tmpfs with an earlier export, filled to the last byte."""
from filesafety import copy_sample, fill, mount_tmpfs

mount_tmpfs("small", "size=64k")
copy_sample("small/old.kvb")
fill("small")
