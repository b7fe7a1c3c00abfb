# Contour lines and labels through cadhost, checked against an independent
# computation on the same survey points (scipy's Delaunay triangulation).
if(TARGET UIVantor2)
  set(contour_jobs jobs/contours)
  set(contour_checks checks/contours)
  uv_add_job_test(contours_hill JOB ${contour_jobs}/hill.job.in ARGS --render-size 480x480
                  CHECK ${contour_checks}/hill.py)
  uv_add_job_test(contours_edges JOB ${contour_jobs}/edges.job.in CHECK ${contour_checks}/edges.py)
  uv_add_job_test(contours_dialog JOB ${contour_jobs}/dialog.job.in CHECK ${contour_checks}/dialog.py)
endif()
