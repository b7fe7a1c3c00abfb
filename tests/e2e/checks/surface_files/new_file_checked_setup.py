"""new_file_checked.job: a file where the job names a folder."""
from e2echeck import work_path

with open(work_path("notafolder"), "w") as f:
    f.write("a file\n")
