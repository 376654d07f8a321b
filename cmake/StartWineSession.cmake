# Read by ctest before it lists or runs any test: starts one Wine server that
# outlives the gaps between tests and boots Wine's services under it. Wine
# would otherwise start a fresh server, and its services, for almost every
# test, and those services would hold the first test's output open.
# Expects CMAKE_COMMAND, WINE, WINESERVER, WINE_ENVIRONMENT and LOG_PREFIX.
set(wine_env "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${WINE_ENVIRONMENT})
# The server runs on its own for 30 seconds after the last test; if one is
# already running, this one simply exits.
execute_process(COMMAND ${wine_env} "${WINESERVER}" --persistent=30
                OUTPUT_FILE "${LOG_PREFIX}server.log" ERROR_FILE "${LOG_PREFIX}server.log")
# Output to a file, not a pipe that the services would keep open.
execute_process(COMMAND ${wine_env} "${WINE}" wineboot
                OUTPUT_FILE "${LOG_PREFIX}session.log" ERROR_FILE "${LOG_PREFIX}session.log"
                TIMEOUT 120)
