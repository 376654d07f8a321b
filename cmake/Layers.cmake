# The module's layers (docs/architecture.md), one OBJECT library each. Code
# includes by folder ("score/one_sided.hpp"); a layer's include path holds,
# for itself and for each layer it links, a view of the repository root in
# the build tree that contains that layer's folder only. A layer therefore
# sees the folders of the layers below it and nothing else, and an include
# of a higher layer's file fails to compile. Tests and fuzz targets reach
# their own folders through views too, so that every file is compiled under
# one path (which keeps a header's coverage data in one place).

set(CCLP_LAYER_VIEWS "${PROJECT_BINARY_DIR}/layers")

# cclp_folder_view(folder out): sets out to a folder of the build tree that
# shows the repository's <folder> as <folder>/ and nothing else.
function(cclp_folder_view folder out)
  set(view "${CCLP_LAYER_VIEWS}/${folder}")
  file(MAKE_DIRECTORY "${view}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${view}/${folder}" RESULT linked SYMBOLIC)
  if(NOT linked STREQUAL "0")
    # Without symbolic links the repository root stands in for the views:
    # the build still works, it no longer refuses upward includes.
    message(WARNING "No symbolic link for ${folder} (${linked}); layers not enforced")
    set(view "${PROJECT_SOURCE_DIR}")
  endif()
  set(${out} "${view}" PARENT_SCOPE)
endfunction()

# cclp_add_layer(name [BELOW layer...]): the OBJECT library cclp_layer_<name>
# of <name>/*.cpp, linking the layers it is built on.
function(cclp_add_layer name)
  cmake_parse_arguments(LAYER "" "" "BELOW" ${ARGN})
  cclp_folder_view(${name} view)
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
