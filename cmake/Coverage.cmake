# Line and branch coverage of the module's own code (not the stand-ins, the
# tests or the tools), measured with gcov and reported by gcovr. Used by the
# coverage preset: build, run the tests, then build `coverage_report`.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  message(FATAL_ERROR "Coverage needs GCC (gcov): use the coverage preset")
endif()
find_program(GCOVR_EXECUTABLE gcovr REQUIRED)

add_compile_options(--coverage -fprofile-update=atomic)
add_link_options(--coverage)

set(CCLP_COVERAGE_FOLDERS include frame score params results engine vectors)
# The report fails below these (percent).
set(CCLP_COVERAGE_MIN_LINES 95 CACHE STRING "Least line coverage the report accepts")
set(CCLP_COVERAGE_MIN_BRANCHES 85 CACHE STRING "Least branch coverage the report accepts")
set(coverage_filters)
foreach(folder IN LISTS CCLP_COVERAGE_FOLDERS)
  list(APPEND coverage_filters --filter "${CMAKE_SOURCE_DIR}/${folder}/")
endforeach()
# The C++ interface compiles into its callers, not into the library, and its
# branches as gcov counts them are mostly those of the standard containers
# it instantiates: its own tests (tests/cxx_api) check it instead.
list(APPEND coverage_filters --exclude "${CMAKE_SOURCE_DIR}/include/cclp_score/cxx/")
# The type-check exports are empty by definition: they exist so that the
# compiler checks the types of their arguments, and running them shows
# nothing (their unused member only names each of them once).
list(APPEND coverage_filters --exclude "${CMAKE_SOURCE_DIR}/vectors/type_checks.cpp")

# Exceptions are never thrown here and branches the compiler proves dead are
# not the code's own: both are left out of the branch count.
add_custom_target(coverage_report
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/coverage"
  COMMAND ${GCOVR_EXECUTABLE} --root "${CMAKE_SOURCE_DIR}" ${coverage_filters}
          --exclude-unreachable-branches --exclude-throw-branches
          --print-summary
          --fail-under-line ${CCLP_COVERAGE_MIN_LINES}
          --fail-under-branch ${CCLP_COVERAGE_MIN_BRANCHES}
          --txt "${CMAKE_BINARY_DIR}/coverage.txt"
          --html-details "${CMAKE_BINARY_DIR}/coverage/index.html"
          "${CMAKE_BINARY_DIR}"
  COMMAND ${CMAKE_COMMAND} -E echo "coverage by file: ${CMAKE_BINARY_DIR}/coverage.txt, ${CMAKE_BINARY_DIR}/coverage/index.html"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
  VERBATIM)
