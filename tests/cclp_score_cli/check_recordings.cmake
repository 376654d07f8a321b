# `cclp-score check` over a folder of generated recordings: every winner as
# expected (exit 0), then the same folder with one recording whose
# expectation is wrong (exit 5, that recording named), and the JSON report.
#   TOOL      the program
#   WORK_DIR  where the recordings are generated (the test's build folder)
#   COUNT     how many recordings
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK_DIR}")
foreach(i RANGE 1 ${COUNT})
  math(EXPR shift "${i} % 7")
  math(EXPR folder "${i} % 10")
  # A bright bar of width 20 shifted by up to 0.6, among two distractors.
  file(WRITE "${WORK_DIR}/line${folder}/recording${i}.json" "{
  \"caliper\": {\"edges\": [{\"position\": -30, \"contrast\": 20},
                          {\"position\": -10.${shift}, \"contrast\": 50},
                          {\"position\": 2, \"contrast\": -5},
                          {\"position\": 9.${shift}, \"contrast\": -40}]},
  \"params\": {
    \"desiredEdges\": [{\"position\": -10, \"polarity\": \"positive\"},
                     {\"position\": 10, \"polarity\": \"negative\"}],
    \"scoreMethods\": [{\"method\": \"sizeDiff\", \"oneSided\": {\"x0\": 0, \"x1\": 0.5, \"x2\": 0.5}}]
  },
  \"expect\": {\"edges\": [1, 3]}
}
")
endforeach()

function(check expected_status)
  execute_process(COMMAND "${TOOL}" check ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status STREQUAL expected_status)
    message(FATAL_ERROR "check ${ARGN}: exit status ${status}, expected ${expected_status}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

check(0 "${WORK_DIR}")
if(NOT out MATCHES "\n${COUNT} recordings: ${COUNT} as expected, 0 not as expected")
  message(FATAL_ERROR "unexpected summary:\n${out}")
endif()
if(NOT out MATCHES "recording1\\.json +#1 #3 at -0\\.[0-9]+ +0\\.9[0-9]+ +0\\.[0-9]+ +as expected")
  message(FATAL_ERROR "unexpected row:\n${out}")
endif()

# The same folder scored with parameters that prefer the distractors.
file(WRITE "${WORK_DIR}/wider.json" "{\"params\": {
  \"desiredEdges\": [{\"position\": -30, \"polarity\": \"positive\"},
                   {\"position\": 10, \"polarity\": \"negative\"}],
  \"scoreMethods\": [{\"method\": \"sizeDiff\", \"oneSided\": {\"x0\": 0, \"x1\": 0.5, \"x2\": 0.5}}]}}")
check(5 --params "${WORK_DIR}/wider.json" --json "${WORK_DIR}/line3" "${WORK_DIR}/line4/recording4.json")
string(JSON failed GET "${out}" summary notAsExpected)
string(JSON verdict GET "${out}" recordings 0 verdict)
string(JSON problem GET "${out}" recordings 0 problem)
math(EXPR expected_failures "${COUNT} / 10 + 1")
if(NOT failed EQUAL expected_failures OR NOT verdict STREQUAL "NOT as expected"
   OR NOT problem STREQUAL "expected #1 #3")
  message(FATAL_ERROR "unexpected report:\n${out}")
endif()
