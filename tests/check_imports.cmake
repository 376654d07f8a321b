# Checks that every DLL and executable in BINARY_DIR imports only Windows
# system DLLs and the project's own DLLs, so that the DLLs run on a Windows
# machine without any MinGW runtime DLL.
cmake_minimum_required(VERSION 3.25)
set(system_dlls
  kernel32.dll msvcrt.dll ucrtbase.dll advapi32.dll user32.dll shell32.dll
  ws2_32.dll bcrypt.dll ntdll.dll)
file(GLOB binaries "${BINARY_DIR}/*.dll" "${BINARY_DIR}/*.exe")
set(own_dlls "")
foreach(binary IN LISTS binaries)
  get_filename_component(name "${binary}" NAME)
  string(TOLOWER "${name}" name)
  if(name MATCHES "\\.dll$")
    list(APPEND own_dlls "${name}")
  endif()
endforeach()
if(NOT own_dlls)
  message(FATAL_ERROR "no DLLs in ${BINARY_DIR}")
endif()

set(failures "")
foreach(binary IN LISTS binaries)
  execute_process(COMMAND "${OBJDUMP}" -p "${binary}"
                  OUTPUT_VARIABLE table RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${binary}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${table}")
  foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    # The universal CRT comes as api-ms-win-crt-*.dll forwarders.
    if(NOT dll IN_LIST system_dlls AND NOT dll IN_LIST own_dlls
       AND NOT dll MATCHES "^api-ms-win-")
      get_filename_component(name "${binary}" NAME)
      string(APPEND failures "\n  ${name} imports ${dll}")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "imports of DLLs a Windows machine lacks:${failures}")
endif()
list(LENGTH binaries count)
message(STATUS "${count} binaries import only system and project DLLs")
