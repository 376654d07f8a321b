# The export list in frame/exports.def is the single source of truth: it
# becomes the Linux version script here, is handed to the linker as it is on
# Windows, and the export-table test compares the built library against it.
function(cclp_read_exports def_file out_var)
  file(STRINGS "${def_file}" lines)
  set(names "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^;" OR line MATCHES "^(LIBRARY|EXPORTS)")
      continue()
    endif()
    # The name alone, without an "@ordinal", "DATA" or a trailing comment.
    string(REGEX REPLACE "[ \t;@].*$" "" line "${line}")
    list(APPEND names "${line}")
  endforeach()
  set(${out_var} "${names}" PARENT_SCOPE)
endfunction()

function(cclp_write_version_script def_file script_file)
  cclp_read_exports("${def_file}" names)
  set(body "{\n  global:\n")
  foreach(name IN LISTS names)
    string(APPEND body "    ${name};\n")
  endforeach()
  string(APPEND body "  local:\n    *;\n};\n")
  file(CONFIGURE OUTPUT "${script_file}" CONTENT "${body}")
endfunction()

# The name on the LIBRARY line: the DLL's file name without ".dll".
function(cclp_read_library_name def_file out_var)
  file(STRINGS "${def_file}" lines REGEX "^[ \t]*LIBRARY[ \t]")
  list(GET lines 0 line)
  string(REGEX REPLACE "^[ \t]*LIBRARY[ \t]+\"?([^ \t\"]+)\"?.*$" "\\1" name "${line}")
  set(${out_var} "${name}" PARENT_SCOPE)
endfunction()

# cclp_apply_export_list(<shared library target> <.def file>): the library
# exports exactly the names of the list: the .def file as it is on Windows,
# a version script generated from it elsewhere.
function(cclp_apply_export_list target def_file)
  if(WIN32)
    target_sources(${target} PRIVATE "${def_file}")
    return()
  endif()
  set(version_script "${CMAKE_CURRENT_BINARY_DIR}/${target}.map")
  cclp_write_version_script("${def_file}" "${version_script}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${def_file}")
  target_link_options(${target} PRIVATE "LINKER:--version-script=${version_script}")
  # clang links its sanitizer runtimes into executables only, so a fuzzing
  # build leaves their symbols for the loader to find in the library.
  if(NOT CCLP_BUILD_FUZZERS)
    target_link_options(${target} PRIVATE "LINKER:--no-undefined")
  endif()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${version_script}")
endfunction()
