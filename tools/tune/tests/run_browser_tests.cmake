# Runs the page's browser tests (browser/tune_page_test.mjs) in the system's
# Chromium, or prints "SKIPPED: <why>" (the test's skip expression) when
# Node, Chromium or the npm packages (npm ci in browser/) are missing.
foreach(needed NODE CHROMIUM)
  if(NOT EXISTS "${${needed}}")
    message("SKIPPED: ${needed} not found (apt-get install -y nodejs chromium)")
    return()
  endif()
endforeach()
if(NOT EXISTS "${BROWSER_DIR}/node_modules/playwright-core/package.json")
  message("SKIPPED: playwright-core is not installed (npm ci --prefix ${BROWSER_DIR})")
  return()
endif()
set(ENV{CHROMIUM} "${CHROMIUM}")
execute_process(
  COMMAND "${NODE}" tune_page_test.mjs "${TOOL}" "${SOURCE_DIR}" "${WORK_DIR}" ${SCREENSHOT}
  WORKING_DIRECTORY "${BROWSER_DIR}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the browser tests failed (${status})")
endif()
