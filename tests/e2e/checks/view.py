"""The view decides what a picture shows."""
from e2echeck import Png, expect, inked, work_path

away = Png(work_path("away.png"))
expect(away.count(inked) == 0, "a view far from the site must show nothing")
site = Png(work_path("site.png"))
expect(site.count(inked) > 1000, "the view over the site must show it")
