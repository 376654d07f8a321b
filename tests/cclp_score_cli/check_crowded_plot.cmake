# A long caliper crowded with texture edges around a pair scored by edge
# position: the plot zooms to the kept pairs under an overview of the whole
# caliper, and marks each pair's two sides on their own curves.
#   TOOL, RSVG, WORK_DIR
cmake_minimum_required(VERSION 3.25)

# In ascending order: 30 texture edges, the pair with a second candidate
# for its low side, 30 texture edges.
set(edges "")
foreach(k RANGE 33 4 -1)
  math(EXPR at "${k} * 9")
  string(APPEND edges "{\"position\": -${at}, \"contrast\": 6}, ")
endforeach()
string(APPEND edges "{\"position\": -10.2, \"contrast\": 50}, {\"position\": -6, \"contrast\": 30}, {\"position\": 9.6, \"contrast\": -45}")
foreach(k RANGE 4 33)
  math(EXPR at "${k} * 9")
  string(APPEND edges ", {\"position\": ${at}, \"contrast\": -6}")
endforeach()
file(MAKE_DIRECTORY "${WORK_DIR}")
set(SAMPLE "${WORK_DIR}/crowded_pair.json")
file(WRITE "${SAMPLE}" "{
  \"caliper\": {\"edges\": [${edges}]},
  \"params\": {
    \"desiredEdges\": [{\"position\": -10, \"polarity\": \"positive\"},
                     {\"position\": 10, \"polarity\": \"negative\"}],
    \"scoreMethods\": [{\"method\": \"edgePos\", \"twoSided\": {
      \"low\": {\"x0\": -8, \"x1\": -20, \"x2\": -40, \"y0\": 1, \"y1\": 0},
      \"high\": {\"x0\": 8, \"x1\": 20, \"x2\": 40, \"y0\": 1, \"y1\": 0}}}],
    \"maxNumResults\": 2
  }
}")
include("${CMAKE_CURRENT_LIST_DIR}/check_plot.cmake")

foreach(element "class=\"zoom-window\"" "class=\"overview\"" "class=\"side-marker low\""
                "class=\"side-marker high\"" "class=\"side-connector\"")
  string(FIND "${svg_text}" "${element}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the crowded plot has no ${element}")
  endif()
endforeach()
string(REGEX MATCHALL "class=\"side-combination\">[0-9]: \\([0-9.]+ \\+ [0-9.]+\\)/2 = [0-9.]+"
       combinations "${svg_text}")
list(LENGTH combinations combination_count)
if(NOT combination_count EQUAL 2)
  message(FATAL_ERROR "${combination_count} side combinations spelled out, expected one per kept pair")
endif()
