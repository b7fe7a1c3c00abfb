# Projection onto a surface (PROJECTION, CallSurfaceProjection), run by
# cadhost on a drawing of linework, markable entities and faces, over the
# surface "Teren" that each job makes from the drawing's survey file.
if(TARGET UIVantor2)
  set(projection_drawing ${UV_E2E_DIR}/drawings/projection/projection.dxf)
  foreach(job drape markers faces no_marker cancel)
    uv_add_job_test(projection_${job} OPEN ${projection_drawing} JOB jobs/projection/${job}.job.in
                    CHECK checks/projection/${job}.py)
  endforeach()
  uv_add_job_test(projection_samples OPEN ${projection_drawing} JOB jobs/projection/samples.job.in)
  set_tests_properties(e2e_projection_no_marker PROPERTIES ENVIRONMENT "KVLX_SYMBOL_DIR=no-such-folder")
endif()
