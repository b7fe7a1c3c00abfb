"""drawing_replace_*: theirs.dxf, a drawing this run did not make, where the save goes."""
import shutil

from drawingsafety import protect
from e2echeck import source_path, work_path

shutil.copyfile(source_path("samples", "site.dxf"), work_path("theirs.dxf"))
protect("theirs.dxf")
