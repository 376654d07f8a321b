# Runs the cross-built Windows executables under Wine, so that ctest (and
# gtest_discover_tests) run the same test suite as on Linux.
#
# Wine gets a prefix of its own under the build tree, initialised once at
# build time so that the noise of its first start never reaches a test. Its
# debug channels are off, it has no display, and the Mono and Gecko
# installers, which would prompt for a download, are disabled. Every DLL and
# executable lands in the runtime output directory, the first directory that
# Windows searches for an executable's DLLs, so no WINEPATH is needed.
find_program(CCLP_WINE NAMES wine64 wine HINTS /usr/lib/wine DOC "Wine loader for the tests")
find_program(CCLP_WINESERVER NAMES wineserver64 wineserver HINTS /usr/lib/wine
             DOC "Wine server (waited for after the prefix is initialised)")
if(NOT CCLP_WINE OR NOT CCLP_WINESERVER)
  message(WARNING "Wine not found: the Windows executables build, but the tests cannot run")
  return()
endif()

set(CCLP_WINEPREFIX "${CMAKE_BINARY_DIR}/wine")
set(CCLP_WINE_ENVIRONMENT
  "WINEPREFIX=${CCLP_WINEPREFIX}"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml="
  "WINEARCH=win64")
set(CMAKE_CROSSCOMPILING_EMULATOR
  "${CMAKE_COMMAND};-E;env;--unset=DISPLAY;--unset=WAYLAND_DISPLAY;${CCLP_WINE_ENVIRONMENT};${CCLP_WINE}")

set(prefix_stamp "${CCLP_WINEPREFIX}/.initialised")
add_custom_command(OUTPUT "${prefix_stamp}"
  COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${CCLP_WINE_ENVIRONMENT}
          "${CMAKE_COMMAND}" "-DWINE=${CCLP_WINE}" "-DWINESERVER=${CCLP_WINESERVER}"
          "-DSTAMP=${prefix_stamp}" -P "${CMAKE_CURRENT_LIST_DIR}/InitWinePrefix.cmake"
  COMMENT "Initialising the Wine prefix for the tests"
  VERBATIM)
add_custom_target(wine_prefix ALL DEPENDS "${prefix_stamp}")

set(session_script "${CMAKE_BINARY_DIR}/wine_session.cmake")
file(CONFIGURE OUTPUT "${session_script}" CONTENT [[
set(CMAKE_COMMAND "@CMAKE_COMMAND@")
set(WINE "@CCLP_WINE@")
set(WINESERVER "@CCLP_WINESERVER@")
set(WINE_ENVIRONMENT "@CCLP_WINE_ENVIRONMENT@")
set(LOG_PREFIX "@CCLP_WINEPREFIX@-")
include("@CMAKE_CURRENT_LIST_DIR@/StartWineSession.cmake")
]] @ONLY)
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${session_script}")
