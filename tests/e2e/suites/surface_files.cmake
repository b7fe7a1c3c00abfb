# Surface files through cadhost: nothing a user has is replaced without a
# question or lost when a write fails; the new-surface dialog checks its file;
# relative paths follow the drawing. Each job's setup makes the files it meets.
if(TARGET UIVantor2)
  set(jobs jobs/surface_files)
  set(checks checks/surface_files)
  foreach(job new_over_existing attached_file_kept readonly_and_links folder_named_kvb new_file_checked
              moved_project missing_file write_full_disk)
    uv_add_job_test(files_${job} JOB ${jobs}/${job}.job.in SETUP ${checks}/${job}_setup.py CHECK ${checks}/${job}.py)
  endforeach()
  # Root ignores a folder's mode, so for root the folder is a read-only mount (skipped where
  # mounting is not permitted); so is the full disk.
  uv_add_job_test(files_readonly_folder JOB ${jobs}/readonly_folder.job.in SETUP ${checks}/readonly_folder_setup.py
                  CHECK ${checks}/readonly_folder.py)
  uv_add_job_test(files_full_disk_at_close JOB ${jobs}/full_disk_at_close.job.in
                  SETUP ${checks}/full_disk_at_close_setup.py CHECK ${checks}/full_disk_at_close.py
                  WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "full_disk_at_close\\.job:6: SURFMAN failed: Not every surface could be saved: the file [^ ]*small/big\\.kvb of the surface Big: [^:]*: No space left on device")
  uv_add_job_test(files_save_fails_at_close JOB ${jobs}/save_fails_at_close.job.in
                  SETUP ${checks}/save_fails_at_close_setup.py CHECK ${checks}/save_fails_at_close.py
                  WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "CallLoadPoints failed: Not every surface could be saved: the file [^ ]*ro\\.kvb of the surface Teren_2009: the file is read-only")
  uv_add_job_test(files_buttons_after_delete JOB ${jobs}/buttons_after_delete.job.in WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "buttons_after_delete\\.job:14: .*IDC_WRITE_FILE \\(222\\) is disabled")
  uv_add_job_test(files_logging_once JOB ${jobs}/logging_once.job.in CHECK ${checks}/logging_once.py)
  set_tests_properties(e2e_files_logging_once PROPERTIES ENVIRONMENT "KVLX_LOGGING=sometimes")
endif()
