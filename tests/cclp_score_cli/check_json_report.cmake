# The JSON report of a sample: its content, and the round trip through the
# program (the report fed back in scores to the same report).
#   TOOL, SAMPLE, WORK_DIR
cmake_minimum_required(VERSION 3.25)

include("${CMAKE_CURRENT_LIST_DIR}/tool_report_checks.cmake")

file(MAKE_DIRECTORY "${WORK_DIR}")
run_tool(report --json "${SAMPLE}")

# The pair sample: the bar's edges #2 and #5 win, every kept candidate is
# a pair with one score per method, and scores fall with rank.
expect_json("${report}" "cclp_runScore" run entryPoint)
expect_json("${report}" "floating point" run arithmetic)
expect_json("${report}" "CCLP_STATUS_OK" run status)
string(JSON count LENGTH "${report}" results)
expect_json("${report}" "4" params maxNumResults)
if(NOT count EQUAL 4)
  message(FATAL_ERROR "${count} results, expected 4")
endif()
expect_json("${report}" "2" results 0 edges 0 index)
expect_json("${report}" "5" results 0 edges 1 index)
expect_json("${report}" "sizeDiff" results 0 methodScores 0 method)
set(previous 2)
math(EXPR last "${count} - 1")
foreach(r RANGE ${last})
  math(EXPR rank "${r} + 1")
  expect_json("${report}" "${rank}" results ${r} rank)
  string(JSON edges LENGTH "${report}" results ${r} edges)
  string(JSON scores LENGTH "${report}" results ${r} methodScores)
  string(JSON score GET "${report}" results ${r} score)
  if(NOT edges EQUAL 2 OR NOT scores EQUAL 3 OR score GREATER previous)
    message(FATAL_ERROR "result ${rank}: ${edges} edges, ${scores} scores, score ${score}")
  endif()
  set(previous ${score})
endforeach()
string(JSON best GET "${report}" results 0 score)
if(NOT best GREATER 0.9)
  message(FATAL_ERROR "best score ${best}")
endif()

# Fed back, the report gives itself again.
file(WRITE "${WORK_DIR}/report.json" "${report}")
run_tool(again --json "${WORK_DIR}/report.json")
if(NOT again STREQUAL report)
  message(FATAL_ERROR "the report read back scores differently:\n${again}")
endif()

# A fixed-point report says so in its input, so that it scores the same
# fixed-point run again without --fixed, and carries only fixed-point values.
run_tool(fixed --json --fixed "${SAMPLE}")
expect_json("${fixed}" "fixed" caliper formats)
expect_json("${fixed}" "fixed point" run arithmetic)
expect_json("${fixed}" "2" results 0 edges 0 index)
string(JSON has_double ERROR_VARIABLE missing GET "${fixed}" results 0 score)
if(NOT missing)
  message(FATAL_ERROR "a fixed-point result carries a floating-point score")
endif()
file(WRITE "${WORK_DIR}/fixed.json" "${fixed}")
run_tool(fixed_again --json "${WORK_DIR}/fixed.json")
if(NOT fixed_again STREQUAL fixed)
  message(FATAL_ERROR "the fixed-point report read back scores differently")
endif()
