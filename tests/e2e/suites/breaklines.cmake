# Break lines (BREAKLINE, CallBreakLine) and diagonal swaps (swap,
# CallTurnTriangles), run by cadhost on a drawing written by ezdxf
# (drawings/breaklines/make_drawing.py). Each job makes the surface "Teren"
# first with the surface manager and the drawing's survey points.
if(TARGET UIVantor2)
  set(breaklines ${UV_E2E_DIR}/drawings/breaklines/breaklines.dxf)
  uv_add_job_test(breaklines_all OPEN ${breaklines} JOB jobs/breaklines/all.job.in CHECK checks/breaklines/all.py)
  uv_add_job_test(breaklines_filters OPEN ${breaklines} JOB jobs/breaklines/filters.job.in
                  CHECK checks/breaklines/filters.py)
  uv_add_job_test(breaklines_sample OPEN ${breaklines} JOB jobs/breaklines/sample.job.in
                  CHECK checks/breaklines/sample.py)
  uv_add_job_test(breaklines_cancel OPEN ${breaklines} JOB jobs/breaklines/cancel.job.in
                  CHECK checks/breaklines/unchanged.py)
  uv_add_job_test(breaklines_no_surface OPEN ${breaklines} JOB jobs/breaklines/no_surface.job.in
                  CHECK checks/breaklines/no_surface.py)
  uv_add_job_test(swap_pairs OPEN ${breaklines} JOB jobs/breaklines/swap.job.in CHECK checks/breaklines/swap.py
                  EXPECT_STDOUT "The same triangle was picked twice")
  uv_add_job_test(swap_cancel OPEN ${breaklines} JOB jobs/breaklines/swap_cancel.job.in
                  CHECK checks/breaklines/unchanged.py)
  uv_add_job_test(swap_no_surface OPEN ${breaklines} JOB jobs/breaklines/swap_no_surface.job.in
                  CHECK checks/breaklines/no_surface.py)
endif()
