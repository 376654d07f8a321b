# The plot of a sample renders: rsvg-convert turns it into a PNG of the
# size it declares.
#   TOOL, SAMPLE, RSVG, WORK_DIR
cmake_minimum_required(VERSION 3.25)

if(NOT RSVG)
  message(FATAL_ERROR "rsvg-convert not found: install librsvg2-bin")
endif()
get_filename_component(name "${SAMPLE}" NAME_WE)
set(svg "${WORK_DIR}/${name}.svg")
set(png "${WORK_DIR}/${name}.png")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(REMOVE "${svg}" "${png}")
execute_process(COMMAND "${TOOL}" --plot "${svg}" "${SAMPLE}" RESULT_VARIABLE status
                OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cclp-score --plot failed (${status}): ${err}")
endif()
execute_process(COMMAND "${RSVG}" "${svg}" -o "${png}" RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT EXISTS "${png}")
  message(FATAL_ERROR "rsvg-convert could not render ${svg}: ${err}")
endif()

# The PNG's header holds its width and height (big-endian, bytes 16 to 23).
file(READ "${png}" header LIMIT 24 HEX)
string(SUBSTRING "${header}" 32 8 width_hex)
string(SUBSTRING "${header}" 40 8 height_hex)
math(EXPR width "0x${width_hex}")
math(EXPR height "0x${height_hex}")
file(READ "${svg}" svg_text)
string(REGEX MATCH "<svg [^>]*width=\"([0-9]+)" ignored "${svg_text}")
if(NOT width EQUAL CMAKE_MATCH_1 OR height LESS 400)
  message(FATAL_ERROR "rendered ${width}x${height}, the plot declares width ${CMAKE_MATCH_1}")
endif()
file(SIZE "${png}" bytes)
if(bytes LESS 20000)
  message(FATAL_ERROR "the rendered plot is suspiciously small (${bytes} bytes)")
endif()

# What a tuner looks for is there: the desired edges (and a pair's expected
# width) and the scales of the profile and contrast bands.
string(REGEX MATCHALL "class=\"desired-edge\"" desired "${svg_text}")
list(LENGTH desired desired_count)
if(desired_count LESS 1 OR desired_count GREATER 2)
  message(FATAL_ERROR "${desired_count} desired edges drawn")
endif()
if(desired_count EQUAL 2 AND NOT svg_text MATCHES "class=\"expected-width\"")
  message(FATAL_ERROR "a pair's expected width is not drawn")
endif()
if(NOT svg_text MATCHES "class=\"y-scale\"")
  message(FATAL_ERROR "the bands have no vertical scale")
endif()
