"""Edge cases of the levels, against the survey triangulated by scipy: the
hollow's range -10 to 0 (0 lies above the hollow, so it draws nothing; the
minor levels given and switched off draw nothing either, nor does a
surface the drawing lacks),
tenths by repeated addition, a listed level read back with two decimals
and a deleted one not drawn, a level in both classes drawn once as major,
contours laid at 0."""
from contourcheck import Survey, check_lengths, contours, levels_by_addition, plan_points
from e2echeck import expect, read_dxf, work_path

doc = read_dxf(work_path("out.dxf"))
by_level = contours(doc)
hollow = {level: lines for level, lines in by_level.items() if lines[0][0].dxf.layer == "Hollow_CONTOURS"}
hill = {level: lines for level, lines in by_level.items() if lines[0][0].dxf.layer == "Hill_CONTOURS"}
expect(len(hollow) + len(hill) == len(by_level), "every contour on its surface's layer")
expect(not list(doc.groups.groups()), "the contours were grouped, though no group was asked for")

expect(sorted(hollow) == [-10.0, -5.0], "the hollow's levels are %s, expected -10 and -5" % sorted(hollow))
survey = Survey("hollow.xyz")
check_lengths(survey, hollow)
for level, lines in hollow.items():
    for line, _ in lines:
        expect(abs(line.dxf.elevation - level) < 1e-9, "the hollow's contours lie at their level")
        for x, y in plan_points(line):
            expect(abs(survey.elevation(x, y) - level) < 1e-6, "a vertex of %s off the surface" % level)

tenths = levels_by_addition(120.0, 121.0, 0.1)
expect(len(tenths) == 11 and tenths[-1] != 121.0, "eleven tenths, the last below 121")
expected = {level: True for level in tenths}
for level in (130.12, 120.5):
    expected.setdefault(level, False)
expect(sorted(hill) == sorted(expected), "the hill's levels are %s, expected %s" % (sorted(hill), sorted(expected)))
survey = Survey("hill.xyz")
check_lengths(survey, hill)
for level, lines in hill.items():
    for line, major in lines:
        expect(major == expected[level], "%s is %s" % (level, "major" if expected[level] else "minor"))
        expect(line.dxf.color == (256 if major else 5), "%s has the colour of its class" % level)
        # Traced at the level, laid at 0.
        expect(line.dxf.elevation == 0, "%s lies at 0" % level)
        for x, y in plan_points(line):
            expect(abs(survey.elevation(x, y) - level) < 1e-6, "a vertex of %s off the surface" % level)
