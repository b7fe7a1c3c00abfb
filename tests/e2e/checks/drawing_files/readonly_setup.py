"""drawing_save_readonly: a read-only drawing where the save goes."""
import os
import shutil

from drawingsafety import protect
from e2echeck import source_path, work_path

shutil.copyfile(source_path("samples", "site.dxf"), work_path("ro.dxf"))
os.chmod(work_path("ro.dxf"), 0o444)
protect("ro.dxf")
