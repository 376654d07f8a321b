# Runs cclp-score once and checks its exit status and what it printed.
# Lists are passed with "~~" between items, since ";" would split them.
#   TOOL           the program
#   ARGS           its arguments
#   INPUT          a file for its standard input (optional)
#   EXIT           the expected exit status (default 0)
#   STDOUT         regular expressions that standard output must match
#   STDERR         regular expressions that standard error must match
#   STDOUT_EMPTY   ON: nothing may reach standard output
#   ABSENT         a file that must not exist afterwards (optional)
cmake_minimum_required(VERSION 3.25)

function(split out text)
  string(REPLACE "~~" ";" list "${text}")
  set(${out} "${list}" PARENT_SCOPE)
endfunction()

split(arguments "${ARGS}")
if(NOT DEFINED EXIT)
  set(EXIT 0)
endif()
if(DEFINED ABSENT)
  file(REMOVE "${ABSENT}")
endif()
set(input_option "")
if(DEFINED INPUT)
  set(input_option INPUT_FILE "${INPUT}")
endif()
execute_process(COMMAND "${TOOL}" ${arguments} ${input_option}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)

set(failures "")
if(NOT status STREQUAL EXIT)
  string(APPEND failures "exit status ${status}, expected ${EXIT}\n")
endif()
split(out_patterns "${STDOUT}")
foreach(pattern IN LISTS out_patterns)
  if(NOT out MATCHES "${pattern}")
    string(APPEND failures "standard output does not match: ${pattern}\n")
  endif()
endforeach()
split(err_patterns "${STDERR}")
foreach(pattern IN LISTS err_patterns)
  if(NOT err MATCHES "${pattern}")
    string(APPEND failures "standard error does not match: ${pattern}\n")
  endif()
endforeach()
if(STDOUT_EMPTY AND NOT out STREQUAL "")
  string(APPEND failures "standard output is not empty\n")
endif()
if(DEFINED ABSENT AND EXISTS "${ABSENT}")
  string(APPEND failures "${ABSENT} was written\n")
endif()
if(failures)
  message(FATAL_ERROR "${failures}--- stdout:\n${out}--- stderr:\n${err}")
endif()
