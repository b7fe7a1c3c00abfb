"""moved_project.job: the project that make_project.job left (a drawing with the drawing
surface "Plan", current, and the file surface "Ground" in surfaces/ground.kvb), copied to a
folder of another name."""
import shutil

from e2echeck import source_path, work_path

shutil.copytree(source_path("tests", "e2e", "drawings", "surface_files", "project"), work_path("moved"))
