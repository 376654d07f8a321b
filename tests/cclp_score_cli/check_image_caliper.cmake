# Edges found in the bundled photograph crop and scored: the name plate's
# top and bottom win, at the positions measured by hand from the gray values
# (halfway crossings at column 50: 14.935 and 42.374, i.e. -15.065 and
# 12.374 from the caliper's centre at y = 30) within 0.25 px; the report
# records the caliper and replays without the image; the plot shows the
# image around the caliper.
#   TOOL, IMAGE, PARAMS, WORK_DIR
cmake_minimum_required(VERSION 3.25)

include("${CMAKE_CURRENT_LIST_DIR}/tool_report_checks.cmake")

function(expect_near document expected)
  string(JSON actual GET "${document}" ${ARGN})
  # CMake has no floating point: compare in 1/1000 px.
  math(EXPR low "${expected} - 250")
  math(EXPR high "${expected} + 250")
  string(REGEX REPLACE "^(-?[0-9]+)\\.([0-9]*)$" "\\1;\\2" parts "${actual}000")
  list(GET parts 0 whole)
  list(GET parts 1 fraction)
  string(SUBSTRING "${fraction}" 0 3 fraction)
  if(whole MATCHES "^-")
    math(EXPR milli "${whole} * 1000 - ${fraction}")
  else()
    math(EXPR milli "${whole} * 1000 + ${fraction}")
  endif()
  if(milli LESS low OR milli GREATER high)
    message(FATAL_ERROR "${ARGN}: ${actual}, expected ${expected}/1000 within 0.25")
  endif()
endfunction()

file(MAKE_DIRECTORY "${WORK_DIR}")
set(caliper --image "${IMAGE}" --caliper 50,30,90,40,2 --min-contrast 5)
run_tool(report --json ${caliper} "${PARAMS}")

expect_json("${report}" "${IMAGE}" caliper image file)
expect_json("${report}" "90.0" caliper image caliper angle)
expect_json("${report}" "40.0" caliper image caliper length)
expect_json("${report}" "5.0" caliper image minContrast)
expect_json("${report}" "-20.0" caliper profile start)
string(JSON samples LENGTH "${report}" caliper profile values)
if(NOT samples EQUAL 41)
  message(FATAL_ERROR "the profile has ${samples} samples, expected 41")
endif()
string(JSON edges LENGTH "${report}" caliper edges)
if(edges LESS 3)
  message(FATAL_ERROR "${edges} edges at min contrast 5: expected the plate's and the lettering's")
endif()
expect_near("${report}" -15065 results 0 edges 0 position)
expect_near("${report}" 12374 results 0 edges 1 position)

# The report is an input document: read back, without the image, it scores
# to the same report.
file(WRITE "${WORK_DIR}/name_plate_report.json" "${report}")
run_tool(again --json "${WORK_DIR}/name_plate_report.json")
if(NOT again STREQUAL report)
  message(FATAL_ERROR "the report read back scores differently:\n${again}")
endif()

# The plot: the image's gray cells, the caliper and its settings, then the
# strip and the method panels as for any run.
set(svg "${WORK_DIR}/name_plate.svg")
file(REMOVE "${svg}")
run_tool(ignored --plot "${svg}" ${caliper} "${PARAMS}")
file(READ "${svg}" plot)
foreach(expected "fill=\"#[0-9a-f]+\"" "image .*name_plate\\.p(ng|gm)" "caliper at \\(50, 30\\), 90 degrees"
                 "rank 1: -15\\.[0-9]+ to 12\\.[0-9]+, width 27\\.[0-9]+ px" "sizeDiff" "</svg>")
  if(NOT plot MATCHES "${expected}")
    message(FATAL_ERROR "the plot lacks ${expected}")
  endif()
endforeach()
file(SIZE "${svg}" bytes)
if(bytes GREATER 400000)
  message(FATAL_ERROR "the plot is ${bytes} bytes: the image should stay small")
endif()
if(RSVG)
  execute_process(COMMAND "${RSVG}" "${svg}" -o "${WORK_DIR}/name_plate_plot.png"
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "rsvg-convert could not render ${svg}: ${err}")
  endif()
endif()
