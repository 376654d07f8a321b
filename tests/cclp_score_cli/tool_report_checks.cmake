# Helpers of the scripts that run cclp-score and read its JSON report.
# run_tool(out ARGS...): the program's standard output; a failing run stops
# the script. expect_json(document expected PATH...): one value of the report.
function(run_tool out)
  execute_process(COMMAND "${TOOL}" ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE text
                  ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cclp-score ${ARGN} failed (${status}): ${err}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(expect_json document expected)
  string(JSON actual GET "${document}" ${ARGN})
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${ARGN}: ${actual}, expected ${expected}")
  endif()
endfunction()
