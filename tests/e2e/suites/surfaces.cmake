# Surface management through cadhost: the surface manager, new surface and
# properties, surface files, and the conversion of old surfaces.
if(TARGET UIVantor2)
  set(surface_jobs jobs/surfaces)
  set(surface_checks checks/surfaces)
  uv_add_job_test(surfaces_manager JOB ${surface_jobs}/manager.job.in CHECK ${surface_checks}/manager.py)
  uv_add_job_test(surfaces_delete_current JOB ${surface_jobs}/delete_current.job.in
                  CHECK ${surface_checks}/delete_current.py)
  uv_add_job_test(surfaces_round_trip JOB ${surface_jobs}/round_trip.job.in CHECK ${surface_checks}/round_trip.py)
  uv_add_job_test(surfaces_bad_files JOB ${surface_jobs}/bad_files.job.in CHECK ${surface_checks}/bad_files.py)
  uv_add_job_test(surfaces_convert JOB ${surface_jobs}/convert.job.in CHECK ${surface_checks}/convert.py)
  uv_add_job_test(surfaces_new_surface JOB ${surface_jobs}/new_surface.job.in CHECK ${surface_checks}/new_surface.py)
  uv_add_job_test(surfaces_convert_stale JOB ${surface_jobs}/convert_stale.job.in
                  CHECK ${surface_checks}/convert_stale.py)
  uv_add_job_test(surfaces_convert_cancel JOB ${surface_jobs}/convert_cancel.job.in
                  CHECK ${surface_checks}/convert_cancel.py)
  # Buttons a selection leaves disabled cannot be pressed.
  uv_add_job_test(surfaces_delete_on_file_surface JOB ${surface_jobs}/delete_on_file_surface.job.in
                  WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "delete_on_file_surface\\.job:13: .*IDC_DELETE \\(218\\) is disabled")
  uv_add_job_test(surfaces_edit_without_selection JOB ${surface_jobs}/edit_without_selection.job.in
                  WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "edit_without_selection\\.job:7: .*IDC_EDIT \\(217\\) is disabled")
  # The file field of a new surface kept in the drawing cannot be typed into.
  uv_add_job_test(surfaces_file_field_disabled JOB ${surface_jobs}/file_field_disabled.job.in
                  WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "file_field_disabled\\.job:8: .*IDC_FILE \\(215\\) is disabled")
  # The sample drawing with old surfaces reads in another DXF reader.
  uv_add_job_test(surfaces_old_sample OPEN ${PROJECT_SOURCE_DIR}/samples/old-surfaces.dxf JOB jobs/nothing.job
                  ARGS --save out.dxf --quiet CHECK ${surface_checks}/old_sample.py)
endif()
