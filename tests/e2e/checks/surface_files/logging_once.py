"""logging_once.job: the warning about KVLX_LOGGING on standard error exactly once."""
from e2echeck import expect, work_path

with open(work_path("stderr.txt")) as f:
    told = f.read().count("KVLX_LOGGING: unrecognised value")
expect(told == 1, "the unknown KVLX_LOGGING value was told %d times" % told)
