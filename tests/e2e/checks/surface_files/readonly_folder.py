"""readonly_folder.job: nothing in the folder, no surface G."""
import os

from e2echeck import expect, read_dxf, work_path
from filesafety import unmount
from surfacedxf import engine_surfaces

try:
    expect(os.listdir(work_path("ro")) == [], "files were made in ro: %s" % os.listdir(work_path("ro")))
    surfaces, _ = engine_surfaces(read_dxf(work_path("out.dxf")))
    expect(not surfaces, "surfaces were made: %s" % ", ".join(surfaces))
finally:
    if os.path.islink(work_path("ro")):
        unmount("ro")
    else:
        os.chmod(work_path("ro"), 0o755)
