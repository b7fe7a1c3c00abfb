"""A drawing with kinds the database does not all model (MTEXT, SPLINE,
ELLIPSE, HATCH, DIMENSION and its block, LEADER), opened and saved by
cadhost: every record comes back (compared record by record) and ezdxf's
audit passes."""
import subprocess
import sys

from e2echeck import expect, source_path, work_path

compare = source_path("tests", "platform", "db", "dxf", "compare_kept.py")
original = source_path("tests", "e2e", "drawings", "kept_kinds.dxf")
run = subprocess.run([sys.executable, compare, original, work_path("out.dxf")], capture_output=True, text=True)
expect(run.returncode == 0, "the saved drawing differs:\n" + run.stdout + run.stderr)
