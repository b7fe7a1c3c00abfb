# Runs the sample generator and fails when the committed sample differs
# from what it writes (regenerate with: make_old_surfaces samples/old-surfaces.dxf).
execute_process(COMMAND ${TOOL} ${OUT} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed (${status}): ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${SAMPLE} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${SAMPLE} is not what the generator writes now; regenerate it")
endif()
