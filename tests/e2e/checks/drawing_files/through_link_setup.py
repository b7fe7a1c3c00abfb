"""drawing_save_through_link: link.dxf points to a private drawing in real/."""
import os
import shutil

from e2echeck import source_path, work_path

os.makedirs(work_path("real"))
shutil.copyfile(source_path("samples", "site.dxf"), work_path("real/target.dxf"))
os.chmod(work_path("real/target.dxf"), 0o640)
os.symlink("real/target.dxf", work_path("link.dxf"))
