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
