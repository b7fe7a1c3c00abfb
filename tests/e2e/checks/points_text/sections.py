"""Three stations' sections with ";" comments and commas: all of them
reach "Teren"; the file holds the same shots as site.xyz."""
from textjob import expect_drawing, file_points

points = file_points("site_sections.txt", comment=";", delimiter=",", columns=(2, 3, 4))
assert points == file_points("site.xyz")
expect_drawing({"Teren": points, "Bager": []})
