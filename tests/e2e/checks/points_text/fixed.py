"""Fixed columns of 12 characters, X Y Z in columns 2 to 4."""
from textjob import expect_drawing, file_points

points = file_points("site_fixed.txt", width=12, columns=(2, 3, 4))
assert len(points) > 300
expect_drawing({"Teren": points, "Bager": []})
