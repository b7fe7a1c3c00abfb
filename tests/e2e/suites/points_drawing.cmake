# Survey points from drawing entities (POINTS, CallLoadPoints), run by
# cadhost on the survey drawing that holds the surface "Teren".
if(TARGET UIVantor2)
  set(points_drawing ${UV_E2E_DIR}/drawings/points_drawing/points_drawing.dxf)
  uv_add_job_test(points_drawing_add OPEN ${points_drawing} JOB jobs/points_drawing/add.job.in
                  CHECK checks/points_drawing/add.py)
  uv_add_job_test(points_drawing_new_surface OPEN ${points_drawing} JOB jobs/points_drawing/new_surface.job.in
                  CHECK checks/points_drawing/new_surface.py)
  uv_add_job_test(points_drawing_cancel OPEN ${points_drawing} JOB jobs/points_drawing/cancel.job.in
                  CHECK checks/points_drawing/unchanged.py)
  uv_add_job_test(points_drawing_empty_name OPEN ${points_drawing} JOB jobs/points_drawing/empty_name.job.in
                  CHECK checks/points_drawing/unchanged.py)
  uv_add_job_test(points_drawing_no_selection OPEN ${points_drawing} JOB jobs/points_drawing/no_selection.job.in
                  CHECK checks/points_drawing/unchanged.py)
  uv_add_job_test(points_drawing_no_surface OPEN ${UV_E2E_DIR}/drawings/points_drawing/entities.dxf
                  JOB jobs/points_drawing/no_surface.job.in CHECK checks/points_drawing/no_surface.py)
endif()
