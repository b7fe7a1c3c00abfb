"""Takes the desktop program's picture under Xvfb (the sample site, the
surface manager open) and checks it is one: the screen's size, the
drawing's light background over most of it, and many colours (menus,
drawing, dialog), not a blank screen.

    screenshot.py GUI_SCREENSHOT SITE.dxf MODULE.so OUT.png
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))
from e2echeck import Png, expect  # noqa: E402

program, site, module, out = sys.argv[1:5]
env = dict(os.environ, QT_QPA_PLATFORM="xcb")
done = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1400x900x24", program, site, module, out],
                      env=env, capture_output=True, text=True, timeout=120)
expect(done.returncode == 0, "the screenshot program ended with %d: %s" % (done.returncode, done.stderr[-2000:]))
png = Png(out)
expect((png.width, png.height) == (1400, 900), "the picture is %dx%d, not the screen's 1400x900" % (png.width, png.height))
colours = set()
light = 0
for y in range(0, png.height, 7):
    for x in range(0, png.width, 7):
        rgb = png.pixel(x, y)[:3]
        colours.add(rgb)
        light += all(c >= 235 for c in rgb)
samples = len(range(0, png.height, 7)) * len(range(0, png.width, 7))
expect(len(colours) > 40, "only %d colours: the screen looks blank" % len(colours))
expect(light > samples * 0.3, "the drawing's white background covers too little of the screen")
print("%s: %dx%d, %d colours" % (out, png.width, png.height, len(colours)))
