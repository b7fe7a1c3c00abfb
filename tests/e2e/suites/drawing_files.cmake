# Saving a drawing where a file is already: a read-only drawing is refused
# and stays as it was, byte for byte; a symbolic link stays a link and the
# drawing it points to is replaced, keeping its permissions.
set(jobs jobs/drawing_files)
set(checks checks/drawing_files)
uv_add_job_test(drawing_save_readonly OPEN drawings/kept_kinds.dxf ARGS --save ro.dxf
                SETUP ${checks}/readonly_setup.py CHECK ${checks}/readonly.py
                WILL_FAIL EXIT_CODE 3 EXPECT_STDERR "ro\\.dxf: the file is read-only")
# A full disk (a small tmpfs; skipped where mounting is not permitted).
uv_add_job_test(drawing_save_full_disk JOB ${jobs}/full_disk.job.in SETUP ${checks}/full_disk_setup.py
                CHECK ${checks}/full_disk.py WILL_FAIL EXIT_CODE 3
                EXPECT_STDERR "full_disk\\.job:5: [^ ]*/small/site\\.dxf: cannot write the new content: No space left on device")
uv_add_job_test(drawing_save_through_link OPEN drawings/kept_kinds.dxf JOB ${jobs}/through_link.job
                SETUP ${checks}/through_link_setup.py CHECK ${checks}/through_link.py)

# A drawing this run did not make is replaced only when the user agrees:
# the job's save asks, --save keeps it unless --replace is given. The
# drawing's own files (opened from, saved by this run) take a save freely.
set(theirs SETUP ${checks}/theirs_setup.py)
uv_add_job_test(drawing_replace_no OPEN drawings/kept_kinds.dxf JOB ${jobs}/replace_no.job ${theirs}
                CHECK ${checks}/theirs_kept.py EXPECT_STDOUT "Not saved: theirs\\.dxf already exists.*Saved mine\\.dxf")
uv_add_job_test(drawing_replace_yes OPEN drawings/kept_kinds.dxf JOB ${jobs}/replace_yes.job ${theirs}
                CHECK ${checks}/theirs_replaced.py)
uv_add_job_test(drawing_replace_unanswered OPEN drawings/kept_kinds.dxf JOB ${jobs}/replace_unanswered.job ${theirs}
                CHECK ${checks}/theirs_kept.py WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "the script ended, but the program asked for an answer to the message box .*theirs\\.dxf already exists")
uv_add_job_test(drawing_replace_option_missing OPEN drawings/kept_kinds.dxf ARGS --save theirs.dxf ${theirs}
                CHECK ${checks}/theirs_kept.py WILL_FAIL EXIT_CODE 3
                EXPECT_STDERR "theirs\\.dxf already exists and was kept as it was.*--replace")
uv_add_job_test(drawing_replace_option OPEN drawings/kept_kinds.dxf ARGS --save theirs.dxf --replace ${theirs}
                CHECK ${checks}/theirs_replaced.py)
uv_add_job_test(drawing_own_files JOB ${jobs}/own_files.job ARGS --open theirs.dxf --save copy.dxf ${theirs}
                CHECK ${checks}/own_files.py)

# A picture another program made is drawn over only when the user agrees,
# as a drawing is saved over; a picture cadhost drew is its own.
set(photo SETUP ${checks}/photo_setup.py)
uv_add_job_test(drawing_picture_no OPEN drawings/kept_kinds.dxf JOB ${jobs}/picture_no.job ${photo}
                CHECK ${checks}/photo_kept.py EXPECT_STDOUT "Not drawn: photo\\.png already exists")
uv_add_job_test(drawing_picture_yes OPEN drawings/kept_kinds.dxf JOB ${jobs}/picture_yes.job ${photo}
                ARGS --render-size 64x48 CHECK ${checks}/photo_replaced.py)
uv_add_job_test(drawing_picture_option_missing OPEN drawings/kept_kinds.dxf ARGS --render photo.png ${photo}
                CHECK ${checks}/photo_kept.py WILL_FAIL EXIT_CODE 3
                EXPECT_STDERR "photo\\.png already exists and was kept as it was.*--replace")
uv_add_job_test(drawing_picture_option OPEN drawings/kept_kinds.dxf ARGS --render photo.png --replace
                --render-size 64x48 ${photo} CHECK ${checks}/photo_replaced.py)
if(TARGET UIVantor2)
  uv_add_job_test(drawing_dialog_picture_kept JOB ${jobs}/dialog_picture_kept.job.in ${photo}
                  CHECK ${checks}/photo_kept.py WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "dialog_picture_kept\\.job:7: .*photo\\.png already exists and is not a picture cadhost drew")
endif()
# A read-only picture is refused even when the user agreed to replace it, as a drawing is.
uv_add_job_test(drawing_picture_readonly OPEN drawings/kept_kinds.dxf ARGS --render ro.png --replace ${photo}
                CHECK ${checks}/photo_readonly.py WILL_FAIL EXIT_CODE 3 EXPECT_STDERR "ro\\.png: the file is read-only")
