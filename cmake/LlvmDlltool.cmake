# MSVC-style import libraries (name.lib), the kind that programs built for the
# MSVC ABI (Visual Studio, clang-cl, clang for *-windows-msvc) link, made from
# a module-definition file with LLVM's dlltool, whatever built the DLL.
find_program(CCLP_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 llvm-dlltool-15 llvm-dlltool-16
             DOC "LLVM's dlltool, which writes MSVC import libraries")

# dlltool's name for the target machine.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  set(CCLP_DLLTOOL_MACHINE i386:x86-64)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|ARM64|arm64)$")
  set(CCLP_DLLTOOL_MACHINE arm64)
else()
  message(FATAL_ERROR "No import libraries for the processor ${CMAKE_SYSTEM_PROCESSOR}")
endif()

# cclp_msvc_import_library_command(<output .lib> DEF <.def file> DLL <DLL file name>
#                                  [DEPENDS <files or targets>...])
# Adds the command that writes <output>, importing the .def file's functions
# from the DLL of that name.
function(cclp_msvc_import_library_command output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DEF;DLL" "DEPENDS")
  if(NOT CCLP_LLVM_DLLTOOL)
    message(FATAL_ERROR "llvm-dlltool not found (Debian: llvm-14): it writes ${output}")
  endif()
  get_filename_component(name "${output}" NAME)
  add_custom_command(OUTPUT "${output}"
    COMMAND "${CCLP_LLVM_DLLTOOL}" -m ${CCLP_DLLTOOL_MACHINE} -D "${arg_DLL}" -d "${arg_DEF}"
            -l "${output}"
    DEPENDS ${arg_DEPENDS}
    COMMENT "Writing the MSVC import library ${name}"
    VERBATIM)
endfunction()
