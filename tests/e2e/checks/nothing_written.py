"""A job that failed wrote no drawing and no picture."""
import os

from e2echeck import expect, work_path

written = [f for f in os.listdir(work_path("")) if f.lower().endswith((".dxf", ".png", ".svg"))]
expect(not written, "a failed job wrote " + ", ".join(written))
