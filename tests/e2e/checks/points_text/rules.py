"""Each rule's file read into its own surface."""
from textjob import expect_drawing

expect_drawing({
    "Teren": [], "Bager": [],
    "Header": [(0, 0, 0), (1, 2, 3)],
    "MarkedHeader": [(1, 2, 3)],
    "ShortLine": [(1, 2, 3)],
    "Columns": [(2, 1, 3)],
    "Huge": [(2, 2, 2)],
    "Duplicates": [(1, 1, 6)],
    "NoDelimiter": [(1, 2, 3)],
    "WidthZero": [(5, 0, 0)],
    "Wide": [(1, 0, 0)],
    "Widest": [(7, 0, 0)],
    "Indented": [(4, 5, 6)],
    "Unticked": [(4, 5, 6)],
    "Sections": [(1, 1, 1), (2, 2, 2), (3, 3, 3)],
})
