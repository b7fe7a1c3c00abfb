"""A cancelled selection projects nothing: the drawing's entities are as
the generator wrote them, with no marker and no drape."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from projection import draped, expect, expect_unchanged, markers, result, source  # noqa: E402

doc, surface = result()
expect(not markers(doc) and not draped(doc), "a cancelled selection made markers or drapes")
expect_unchanged(doc, source(), ["LINES", "OTHER", "MARKS", "FACES"])
print("nothing projected")
