# pkg-config files for the installed libraries: one per library, named after
# it, whose Requires line names the libraries it links publicly, so that a
# real sibling library's own .pc file can take a stand-in's place.
#
# cclp_install_pkg_config(<target> DESCRIPTION <text> COMPONENT <component>
#                         [INCLUDE_SUBDIR <dir below the include directory>])
function(cclp_install_pkg_config target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION;COMPONENT;INCLUDE_SUBDIR" "")
  set(PC_NAME "${target}")
  set(PC_DESCRIPTION "${arg_DESCRIPTION}")
  set(PC_INCLUDE_SUBDIR "")
  if(arg_INCLUDE_SUBDIR)
    set(PC_INCLUDE_SUBDIR "/${arg_INCLUDE_SUBDIR}")
  endif()
  get_target_property(dependencies ${target} INTERFACE_LINK_LIBRARIES)
  if(NOT dependencies)
    set(dependencies "")
  endif()
  foreach(dependency IN LISTS dependencies)
    if(NOT TARGET ${dependency})
      message(FATAL_ERROR "${target} links ${dependency}, which has no pkg-config file")
    endif()
  endforeach()
  list(JOIN dependencies " " PC_REQUIRES)
  set(pc_dir "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
  file(RELATIVE_PATH PC_PREFIX_FROM_PCDIR "/prefix/${pc_dir}" "/prefix")
  string(REGEX REPLACE "/$" "" PC_PREFIX_FROM_PCDIR "${PC_PREFIX_FROM_PCDIR}")
  set(pc_file "${CMAKE_BINARY_DIR}/pkgconfig/${target}.pc")
  configure_file("${CCLP_PKG_CONFIG_TEMPLATE}" "${pc_file}" @ONLY)
  install(FILES "${pc_file}" DESTINATION "${pc_dir}" COMPONENT ${arg_COMPONENT})
endfunction()

set(CCLP_PKG_CONFIG_TEMPLATE "${CMAKE_CURRENT_LIST_DIR}/cclp_library.pc.in")
