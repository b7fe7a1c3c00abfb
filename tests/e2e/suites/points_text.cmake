# Survey points from text files (CallLoadPoints, POINTS, the text page),
# run by cadhost on a drawing holding the empty surfaces "Teren" and "Bager".
if(TARGET UIVantor2)
  set(points_text ${UV_E2E_DIR}/drawings/points_text/surfaces.dxf)
  foreach(job default fixed sections utf16 rules)
    uv_add_job_test(points_text_${job} OPEN ${points_text} JOB jobs/points_text/${job}.job.in
                    CHECK checks/points_text/${job}.py)
  endforeach()
  foreach(job cancel empty_name controls)
    uv_add_job_test(points_text_${job} OPEN ${points_text} JOB jobs/points_text/${job}.job.in
                    CHECK checks/points_text/unchanged.py)
  endforeach()
  # A column of 0 is reported in a message box the job answers; the page
  # stays open for the correction.
  uv_add_job_test(points_text_column_zero OPEN ${points_text} JOB jobs/points_text/column_zero.job.in
                  CHECK checks/points_text/unchanged.py)
  uv_add_job_test(points_text_large OPEN ${points_text} JOB jobs/points_text/large.job.in
                  SETUP checks/points_text/large_setup.py CHECK checks/points_text/large.py)
  uv_add_job_test(points_text_column_empty OPEN ${points_text} JOB jobs/points_text/column_empty.job.in
                  CHECK checks/points_text/default.py)
endif()
