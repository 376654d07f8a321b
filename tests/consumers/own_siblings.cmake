# Plays a project that has the real sibling libraries: it declares them as
# imported targets of its own, here from the stand-ins installed under
# SIBLINGS_PREFIX, before find_package(cclp_score) looks for them. Loaded
# after project() through CMAKE_PROJECT_INCLUDE.
foreach(library csys_runtime cmath_lib cimg_image cip_pixel cclp_caliper)
  find_library(${library}_LIBRARY ${library} PATHS "${SIBLINGS_PREFIX}/lib" NO_DEFAULT_PATH REQUIRED)
  add_library(${library} SHARED IMPORTED)
  set_target_properties(${library} PROPERTIES
    IMPORTED_LOCATION "${${library}_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${SIBLINGS_PREFIX}/include/cclp_siblings")
endforeach()
