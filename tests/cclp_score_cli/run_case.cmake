# Runs cclp-score for one case and compares everything it left with the
# case's files in expected/:
#   <case>.status  its exit status
#   <case>.stdout  standard output, byte for byte (no file: nothing printed)
#   <case>.stderr  standard error (no file: nothing printed)
#   <case>.svg     the plot file named by PLOT (no file: none may be left)
# The tool runs in the source folder, so inputs are named relative to it;
# the work folder (where plots go) is written <work> in the outputs.
# A plot is also rendered with rsvg-convert when RSVG is set.
#
# Update mode: `CCLP_UPDATE_EXPECTED=1 ctest --test-dir build/default -R cli_`
# rewrites the expected files from what the tool prints today instead of
# comparing; review the change with `git diff tests/cclp_score_cli/expected`.
#
#   TOOL, CASE, EXPECTED_DIR, SOURCE_DIR, WORK_DIR, RSVG
#   ARGS            the arguments, "~~" between them
#   INPUT           a file for standard input (optional)
#   PLOT            the plot file the case may write (optional)
#   STDOUT_OF       another case whose expected output this one must print
cmake_minimum_required(VERSION 3.25)

string(REPLACE "~~" ";" arguments "${ARGS}")
string(REPLACE "<work>" "${WORK_DIR}" arguments "${arguments}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(input_option "")
if(INPUT)
  set(input_option INPUT_FILE "${INPUT}")
endif()
if(PLOT)
  string(REPLACE "<work>" "${WORK_DIR}" PLOT "${PLOT}")
  file(REMOVE "${PLOT}")
endif()
execute_process(COMMAND "${TOOL}" ${arguments} ${input_option} WORKING_DIRECTORY "${SOURCE_DIR}"
                RESULT_VARIABLE status OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
set(svg "")
if(PLOT AND EXISTS "${PLOT}")
  file(READ "${PLOT}" svg)
endif()

set(expected "${EXPECTED_DIR}/${CASE}")
set(failures "")
foreach(part status stdout stderr svg)
  string(REPLACE "\r\n" "\n" ${part} "${${part}}")
  string(REPLACE "${WORK_DIR}" "<work>" ${part} "${${part}}")
  set(file "${expected}.${part}")
  if(part STREQUAL "stdout" AND STDOUT_OF)
    set(file "${EXPECTED_DIR}/${STDOUT_OF}.stdout")
  elseif("$ENV{CCLP_UPDATE_EXPECTED}" STREQUAL "1")
    if("${${part}}" STREQUAL "" AND NOT part STREQUAL "status")
      file(REMOVE "${file}")
    else()
      file(WRITE "${file}" "${${part}}")
    endif()
  endif()
  set(wanted "")
  if(EXISTS "${file}")
    file(READ "${file}" wanted)
  endif()
  if(NOT "${${part}}" STREQUAL "${wanted}")
    set(actual "${WORK_DIR}/${CASE}.${part}")
    file(WRITE "${actual}" "${${part}}")
    if(NOT part STREQUAL "svg")
      message(NOTICE "${part} of ${CASE}:\n${${part}}")
    endif()
    string(APPEND failures "${part} differs: compare ${file} with ${actual}\n")
  endif()
endforeach()

if(RSVG AND NOT svg STREQUAL "")
  execute_process(COMMAND "${RSVG}" "${PLOT}" -o "${PLOT}.png" RESULT_VARIABLE rendered
                  ERROR_VARIABLE err)
  if(NOT rendered EQUAL 0)
    string(APPEND failures "rsvg-convert cannot render ${PLOT}: ${err}\n")
  endif()
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
