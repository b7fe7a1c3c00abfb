"""The job sent nothing to the engine, or the engine did not save: both
surfaces are still empty and there is no other."""
from textjob import expect_drawing

expect_drawing({"Teren": [], "Bager": []})
