"""missing_file.job: the project of moved_project.job without its surface file,
surfaces/ground.kvb: the drawing lists the file surface "Ground", which cannot be read."""
import os
import shutil

from e2echeck import source_path, work_path

shutil.copytree(source_path("tests", "e2e", "drawings", "surface_files", "project"), work_path("gone"))
os.remove(work_path("gone/surfaces/ground.kvb"))
