# Saving a drawing where a file is already: a read-only drawing is refused
# and stays as it was, byte for byte; a symbolic link stays a link and the
# drawing it points to is replaced, keeping its permissions.
set(jobs jobs/drawing_files)
set(checks checks/drawing_files)
uv_add_job_test(drawing_save_readonly OPEN drawings/kept_kinds.dxf ARGS --save ro.dxf
                SETUP ${checks}/readonly_setup.py CHECK ${checks}/readonly.py
                WILL_FAIL EXIT_CODE 3 EXPECT_STDERR "ro\\.dxf: the file is read-only")
uv_add_job_test(drawing_save_through_link OPEN drawings/kept_kinds.dxf JOB ${jobs}/through_link.job
                SETUP ${checks}/through_link_setup.py CHECK ${checks}/through_link.py)
