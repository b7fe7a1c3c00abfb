# Survey points from text files (CallLoadPoints, POINTS, the text page),
# run by cadhost on a drawing holding the empty surfaces "Teren" and "Bager".
if(TARGET UIVantor2)
  set(points_text ${UV_E2E_DIR}/drawings/points_text/surfaces.dxf)
  foreach(job default fixed sections utf16)
    uv_add_job_test(points_text_${job} OPEN ${points_text} JOB jobs/points_text/${job}.job.in
                    CHECK checks/points_text/${job}.py)
  endforeach()
  foreach(job cancel empty_name)
    uv_add_job_test(points_text_${job} OPEN ${points_text} JOB jobs/points_text/${job}.job.in
                    CHECK checks/points_text/unchanged.py)
  endforeach()
  uv_add_job_test(points_text_column_zero OPEN ${points_text} JOB jobs/points_text/column_zero.job.in
                  WILL_FAIL EXIT_CODE 1 EXPECT_STDERR "column_zero\\.job:4: .*CallLoadPoints failed: invalid argument"
                  CHECK checks/nothing_written.py)
  uv_add_job_test(points_text_column_empty OPEN ${points_text} JOB jobs/points_text/column_empty.job.in
                  WILL_FAIL EXIT_CODE 1 EXPECT_STDERR "column_empty\\.job:4: POINTS failed: invalid argument"
                  EXPECT_STDOUT "POINTS failed: invalid argument" CHECK checks/nothing_written.py)
endif()
