# What `cmake --install` puts in place for the module, in two components:
#   runtime      the shared library (libcclp_score.so.0, cclp_score.dll)
#   development  headers, import library and .so link, the CMake package
#                (find_package(cclp_score) -> cclp::score), cclp_score.pc
# plus the README and the licence. The sibling stand-ins are the component
# `siblings` (platform/CMakeLists.txt).
include(CMakePackageConfigHelpers)

set(CCLP_CMAKE_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/cclp_score")

install(TARGETS cclp_score EXPORT cclp_score
  RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT runtime
  LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT runtime
          NAMELINK_COMPONENT development
  ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT development
  FILE_SET HEADERS DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}" COMPONENT development
  # For users of CMake before 3.23, which ignores file sets.
  INCLUDES DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}")
install(EXPORT cclp_score NAMESPACE cclp:: FILE cclp_scoreTargets.cmake
  DESTINATION "${CCLP_CMAKE_PACKAGE_DIR}" COMPONENT development)

list(JOIN CCLP_SIBLINGS ", " CCLP_SIBLINGS_TEXT)
configure_package_config_file(cmake/cclp_scoreConfig.cmake.in
  "${CMAKE_CURRENT_BINARY_DIR}/cclp_scoreConfig.cmake"
  INSTALL_DESTINATION "${CCLP_CMAKE_PACKAGE_DIR}")
# The SONAME changes with the major version, and so may the interface.
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/cclp_scoreConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/cclp_scoreConfig.cmake"
              "${CMAKE_CURRENT_BINARY_DIR}/cclp_scoreConfigVersion.cmake"
  DESTINATION "${CCLP_CMAKE_PACKAGE_DIR}" COMPONENT development)

cclp_install_pkg_config(cclp_score DESCRIPTION "${PROJECT_DESCRIPTION}" COMPONENT development)

install(FILES README.md LICENSE DESTINATION "${CMAKE_INSTALL_DOCDIR}" COMPONENT runtime)
