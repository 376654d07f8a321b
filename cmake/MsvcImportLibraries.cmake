# A MinGW build also makes the MSVC import libraries (name.lib, beside MinGW's
# name.dll.a), so that programs built with Visual Studio or clang-cl link the
# DLLs: the module's from its export list, each stand-in's from the list of
# exports its linker writes (the stand-ins mark their exports in their
# headers, which are thus their single export list). Both kinds install to
# lib/, in the component of their DLL.
if(NOT (WIN32 AND CMAKE_IMPORT_LIBRARY_SUFFIX STREQUAL ".dll.a"))
  return()
endif()
option(CCLP_MSVC_IMPORT_LIBRARIES "Make the MSVC import libraries (.lib) too; needs llvm-dlltool" ON)
if(NOT CCLP_MSVC_IMPORT_LIBRARIES)
  return()
endif()
include(LlvmDlltool)

# cclp_add_msvc_import_library(<DLL target> <.def file> <install component>
#                              [<files the .def file depends on>...])
function(cclp_add_msvc_import_library target def_file component)
  set(library "${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/${target}.lib")
  cclp_msvc_import_library_command("${library}" DEF "${def_file}"
    DLL "$<TARGET_FILE_NAME:${target}>" DEPENDS ${target} ${ARGN})
  add_custom_target(${target}_msvc_import_library ALL DEPENDS "${library}")
  install(FILES "${library}" DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT ${component})
endfunction()

cclp_add_msvc_import_library(cclp_score "${CCLP_EXPORTS_DEF}" development "${CCLP_EXPORTS_DEF}")
foreach(sibling IN LISTS CCLP_SIBLINGS)
  # Rewritten at every link of the DLL, on which the import library depends.
  set(def_file "${CMAKE_CURRENT_BINARY_DIR}/${sibling}.def")
  target_link_options(${sibling} PRIVATE "LINKER:--output-def,${def_file}")
  cclp_add_msvc_import_library(${sibling} "${def_file}" siblings)
endforeach()
