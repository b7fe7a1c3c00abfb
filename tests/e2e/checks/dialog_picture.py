"""Pictures of dialogs: a title bar above the dialog, the dialog's widgets
below it, and each picture showing the dialog as it was when taken."""
from e2echeck import Png, expect, work_path

empty = Png(work_path("manager-empty.png"))
teren = Png(work_path("manager-teren.png"))
new = Png(work_path("new-surface.png"))

for name, png in (("manager-empty", empty), ("manager-teren", teren), ("new-surface", new)):
    expect(png.width > 300 and png.height > 150, "%s.png is only %dx%d" % (name, png.width, png.height))
    # The title bar: dark, with light title text in it.
    bar = [png.pixel(x, 3) for x in range(png.width)]
    expect(all(max(p) < 100 for p in bar), "%s.png has no dark title bar" % name)
    text = sum(1 for y in range(4, 22) for x in range(8, 200) if min(png.pixel(x, y)) > 180)
    expect(text > 20, "%s.png has no title in its bar" % name)

expect((empty.width, empty.height) == (teren.width, teren.height), "the manager changed size between pictures")
# The current surface's row is yellow once "Teren" exists, and only then.
yellow = lambda p: p[0] > 220 and p[1] > 220 and p[2] < 120
expect(empty.count(yellow) == 0, "the empty manager shows a yellow row")
expect(teren.count(yellow) > 1000, "the manager does not show Teren's row as current")
print("dialog pictures: %dx%d, %dx%d" % (empty.width, empty.height, new.width, new.height))
