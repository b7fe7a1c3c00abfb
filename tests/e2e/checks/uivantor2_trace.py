"""The trace records the entry functions of uivantor2_commands.job wrote:
one entering and one exiting record per call, in call order, laid out
column by column."""
import re

from e2echeck import expect, work_path

RECORD = re.compile(r"^\[(\d\d):(\d\d):(\d\d)\] VantorUIInterface {15}\((\d{5})\): "
                    r"\[(CVantorUIInterface::\w+)\], (Entering|Exiting) function , (CVantorUIInterface::\w+)$")

with open(work_path("trace.log"), encoding="utf-8") as f:
    lines = f.read().splitlines()

calls = ["CallShowSurface", "CallSurfaceManager", "CallConversion"]
expect(len(lines) == 2 * len(calls), "expected %d records, found %d: %s" % (2 * len(calls), len(lines), lines))
for i, name in enumerate(calls):
    for j, kind in enumerate(["Entering", "Exiting"]):
        line = lines[2 * i + j]
        m = RECORD.match(line)
        expect(m is not None, "not a trace record: %r" % line)
        hours, minutes, seconds = (int(m.group(k)) for k in (1, 2, 3))
        expect(hours < 24 and minutes < 60 and seconds < 61, "not a time of day: %r" % line)
        qualified = "CVantorUIInterface::" + name
        expect(m.group(5) == qualified and m.group(7) == qualified, "record of the wrong function: %r" % line)
        expect(m.group(6) == kind, "expected the %s record: %r" % (kind, line))
    expect(lines[2 * i][44:49] == lines[2 * i + 1][44:49], "entry and exit name different lines")
