# The module's layers (docs/architecture.md), one OBJECT library each. Code
# includes by folder ("score/one_sided.hpp"); a layer's include path holds,
# for itself and for each layer it links, a view of the repository root in
# the build tree that contains that layer's folder only. A layer therefore
# sees the folders of the layers below it and nothing else, and an include
# of a higher layer's file fails to compile.

set(CCLP_LAYER_VIEWS "${PROJECT_BINARY_DIR}/layers")

# cclp_add_layer(name [BELOW layer...]): the OBJECT library cclp_layer_<name>
# of <name>/*.cpp, linking the layers it is built on.
function(cclp_add_layer name)
  cmake_parse_arguments(LAYER "" "" "BELOW" ${ARGN})
  set(view "${CCLP_LAYER_VIEWS}/${name}")
  file(MAKE_DIRECTORY "${view}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${name}" "${view}/${name}" RESULT linked SYMBOLIC)
  if(NOT linked STREQUAL "0")
    # Without symbolic links the repository root stands in for the views:
    # the build still works, it no longer refuses upward includes.
    message(WARNING "No symbolic link for layer ${name} (${linked}); layers not enforced")
    set(view "${PROJECT_SOURCE_DIR}")
  endif()
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${name}/*.cpp")
  add_library(cclp_layer_${name} OBJECT ${sources})
  set_target_properties(cclp_layer_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(cclp_layer_${name} PUBLIC "$<BUILD_INTERFACE:${view}>")
  foreach(below IN LISTS LAYER_BELOW)
    target_link_libraries(cclp_layer_${name} PUBLIC cclp_layer_${below})
  endforeach()
  cclp_apply_warnings(cclp_layer_${name})
  set_property(GLOBAL APPEND PROPERTY CCLP_LAYERS cclp_layer_${name})
endfunction()
