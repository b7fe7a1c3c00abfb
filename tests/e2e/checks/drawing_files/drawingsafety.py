"""The drawing-file jobs use the surface-file jobs' protected copies and checks."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "surface_files"))
from filesafety import expect_no_temporaries, expect_unchanged, fill, mode_of, mount_tmpfs, protect, unmount  # noqa: E402,F401,E501
