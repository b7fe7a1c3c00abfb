"""folder_named_kvb.job: a folder x.kvb with a file in it."""
import os

from e2echeck import work_path

os.makedirs(work_path("x.kvb"))
with open(work_path("x.kvb/inside.txt"), "w") as f:
    f.write("kept\n")
