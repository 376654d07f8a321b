# Release archives of the installed tree, every component in one archive:
# `cpack` in a build tree makes cclp_score-<version>-Linux.tar.gz on Linux and
# cclp_score-<version>-win64.zip from the Windows build.
set(CPACK_PACKAGE_NAME cclp_score)
set(CPACK_PACKAGE_VENDOR "The cclp_score authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_SOURCE_GENERATOR "")
# Debug information stays in the build tree; import libraries keep their
# symbols (CMake strips only executables and shared libraries).
set(CPACK_STRIP_FILES TRUE)
set(CPACK_COMPONENTS_ALL runtime development siblings edgefinder)
include(CPack)
