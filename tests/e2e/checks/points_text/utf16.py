"""A UTF-16 file with a byte-order mark and Croatian comments: its shots
go to "Bager"; "Teren" stays empty."""
from textjob import expect_drawing, file_points

points = file_points("site_utf16.txt", encoding="utf-16-le")
assert len(points) > 100
expect_drawing({"Teren": [], "Bager": points})
