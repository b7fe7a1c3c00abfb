# Runs the sample generator and fails when the committed samples differ from
# what it writes (regenerate with:
#   make_old_surfaces samples/old-surfaces.dxf samples/site-2009.kvb).
execute_process(COMMAND ${TOOL} ${OUT} ${OUT_KVB} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed (${status}): ${err}")
endif()
foreach(pair "${OUT}|${SAMPLE}" "${OUT_KVB}|${SAMPLE_KVB}")
  string(REPLACE "|" ";" files "${pair}")
  list(GET files 0 written)
  list(GET files 1 committed)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${written} ${committed} RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${committed} is not what the generator writes now; regenerate it")
  endif()
endforeach()
