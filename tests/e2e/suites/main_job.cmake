# The README's main job on the bundled sample, as scripts/run-sample.sh runs it.
if(TARGET UIVantor2)
  add_test(NAME e2e_main_job
           COMMAND ${UV_E2E_PYTHON} ${UV_E2E_DIR}/checks/main/main_job.py $<TARGET_FILE:cadhost>
                   $<TARGET_FILE:UIVantor2> ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/main_job)
  set_tests_properties(e2e_main_job PROPERTIES LABELS e2e)
endif()
