"""The desktop program's pictures of the guide (docs/desktop-pictures.list),
taken by gui_screenshot on an X server of its own (xvfb-run).

    desktop_pictures.py GUI_SCREENSHOT MODULE OUT_FOLDER

runs in the folder that holds samples/ and out/tutorial.dxf (the drawing
docs/pictures.job saves), and writes each picture into OUT_FOLDER.
"""
import os
import shlex
import subprocess
import sys

LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "desktop-pictures.list")
SCREEN = "-screen 0 1400x900x24"


def pictures():
    """(name, drawing, typed command or None, options) for each line of the list."""
    out = []
    with open(LIST, encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            name, drawing, typed, options = (field.strip() for field in line.split("|"))
            out.append((name, drawing, None if typed == "-" else typed, shlex.split(options)))
    return out


def make(screenshot, module, folder):
    """Takes every picture; returns the failures as messages."""
    failures = []
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    for name, drawing, typed, options in pictures():
        command = ["xvfb-run", "-a", "-s", SCREEN, screenshot, drawing, module, os.path.join(folder, name),
                   typed or "-"] + options
        done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=120)
        if done.returncode != 0:
            failures.append("%s: gui_screenshot ended with %d: %s" % (name, done.returncode, done.stderr[-800:]))
    return failures


if __name__ == "__main__":
    problems = make(*sys.argv[1:4])
    for p in problems:
        print(p, file=sys.stderr)
    sys.exit(1 if problems else 0)
