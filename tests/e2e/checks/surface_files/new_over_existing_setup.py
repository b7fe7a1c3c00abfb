"""new_over_existing.job: a project folder with the drawing, its export and another file."""
import shutil

from e2echeck import source_path, work_path
from filesafety import copy_sample

copy_sample("project/site.kvb")
copy_sample("project/other.kvb")
shutil.copyfile(source_path("samples", "site.dxf"), work_path("project/site.dxf"))
