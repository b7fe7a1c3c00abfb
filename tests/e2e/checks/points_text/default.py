"""Loaded with the page's defaults: every shot of site.xyz is in "Teren"."""
from textjob import expect_drawing, file_points

points = file_points("site.xyz")
assert len(points) > 300
expect_drawing({"Teren": points, "Bager": []})
