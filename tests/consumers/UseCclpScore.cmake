# How an application project links the installed module, shared by the
# consumer projects: through its CMake package (the default) or through
# pkg-config (-DCONSUMER_USE_PKG_CONFIG=ON).
option(CONSUMER_USE_PKG_CONFIG "Find cclp_score with pkg-config instead of find_package" OFF)

function(consumer_link_cclp_score target)
  if(CONSUMER_USE_PKG_CONFIG)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(CCLP_SCORE REQUIRED IMPORTED_TARGET cclp_score)
    target_link_libraries(${target} PRIVATE PkgConfig::CCLP_SCORE)
    set(version "${CCLP_SCORE_VERSION}")
  else()
    find_package(cclp_score CONFIG REQUIRED)
    target_link_libraries(${target} PRIVATE cclp::score)
    set(version "${cclp_score_VERSION}")
  endif()
  # The program checks that its headers are those of the package it found.
  target_compile_definitions(${target} PRIVATE "PACKAGE_VERSION=\"${version}\"")
  if(WIN32)
    # Windows finds DLLs beside the executable: copy them there.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_RUNTIME_DLLS:${target}>
              $<TARGET_FILE_DIR:${target}>
      COMMAND_EXPAND_LISTS)
  endif()
endfunction()
