# Creates the Wine prefix named by $ENV{WINEPREFIX} and waits until Wine has
# written it out. Wine's first-start messages go to a log beside the prefix.
set(log "$ENV{WINEPREFIX}-init.log")
execute_process(COMMAND "${WINE}" wineboot --init
                RESULT_VARIABLE result OUTPUT_FILE "${log}" ERROR_FILE "${log}"
                TIMEOUT 300)
execute_process(COMMAND "${WINESERVER}" --wait TIMEOUT 300)
if(NOT result EQUAL 0)
  file(READ "${log}" output)
  message(FATAL_ERROR "wineboot failed (${result}):\n${output}")
endif()
file(TOUCH "${STAMP}")
