"""drawing_save_full_disk: the sample drawing on a small tmpfs, filled to the last byte."""
import shutil

from drawingsafety import fill, mount_tmpfs, protect
from e2echeck import source_path, work_path

mount_tmpfs("small", "size=64k")
shutil.copyfile(source_path("samples", "site.dxf"), work_path("small/site.dxf"))
protect("small/site.dxf")
fill("small")
