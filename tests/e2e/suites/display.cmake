# Showing a surface through cadhost: triangles, 3D faces, grids and the
# boundary in the saved drawing, and the pictures of faces and vectors.
if(TARGET UIVantor2)
  set(display_jobs jobs/display)
  set(display_checks checks/display)
  # The 17000-shot survey and the drawing with the grid's polygon, written once.
  add_test(NAME e2e_display_survey_data
           COMMAND ${UV_E2E_PYTHON} ${UV_E2E_DIR}/checks/display/make_survey.py ${CMAKE_CURRENT_BINARY_DIR}/display)
  set_tests_properties(e2e_display_survey_data PROPERTIES FIXTURES_SETUP display_survey LABELS e2e)
  uv_add_job_test(display_show_survey JOB ${display_jobs}/show_survey.job.in CHECK ${display_checks}/show_survey.py)
  set_tests_properties(e2e_display_show_survey PROPERTIES FIXTURES_REQUIRED display_survey)
endif()
if(TARGET UIVantor2)
  uv_add_job_test(display_pictures JOB ${display_jobs}/pictures.job.in ARGS --render-size 400x300
                  CHECK ${display_checks}/pictures.py)
  uv_add_job_test(display_dialog JOB ${display_jobs}/dialog.job.in CHECK ${display_checks}/dialog.py)
  uv_add_job_test(display_lattice JOB ${display_jobs}/lattice.job.in ARGS --render-size 200x150
                  CHECK ${display_checks}/lattice.py)
  uv_add_job_test(display_rings JOB ${display_jobs}/rings.job.in SETUP ${display_checks}/rings_setup.py
                  CHECK ${display_checks}/rings.py)
  set_tests_properties(e2e_display_rings PROPERTIES ENVIRONMENT "KVBTOOL=$<TARGET_FILE:kvbtool>")
endif()
