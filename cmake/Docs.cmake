# The reference, `cmake --build --preset docs`: one folder of HTML,
# build/<preset>/docs/html. Its landing page (Sphinx, docs/index.rst) links
# the concepts, the Python reference (autodoc of the build tree's package)
# and the C and C++ reference (Doxygen, html/api/). Warnings fail the build.
set(docs_html "${PROJECT_BINARY_DIR}/docs/html")
# The public headers the C and C++ reference covers; their internal helpers
# live in detail namespaces, which the reference leaves out.
file(GLOB doc_headers CONFIGURE_DEPENDS include/cclp_score/*.h include/cclp_score/*.hpp
     include/cclp_score/cxx/*.hpp edgefinder/include/cedge/cedge.h
     edgefinder/include/cedge/cedge_status.h edgefinder/include/cedge/cedge.hpp
     geometry/include/cgeom/cgeom.h geometry/include/cgeom/cgeom_status.h
     geometry/include/cgeom/cgeom.hpp)
list(APPEND doc_headers "${CCLP_GENERATED_INCLUDE_DIR}/cclp_score/cclp_version.h")

find_package(Doxygen QUIET)
set(sphinx_found 1)
if(Python3_EXECUTABLE)
  execute_process(COMMAND "${Python3_EXECUTABLE}" -c "import sphinx"
                  RESULT_VARIABLE sphinx_found OUTPUT_QUIET ERROR_QUIET)
endif()
if(NOT DOXYGEN_FOUND OR NOT sphinx_found EQUAL 0 OR NOT TARGET cclp_python_core)
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E echo
    "docs: needs doxygen, python3-sphinx and the Python package's build (python3-dev, python3-numpy, pybind11-dev)"
    COMMAND ${CMAKE_COMMAND} -E false)
  return()
endif()

list(JOIN doc_headers "\" \"" doxygen_input)
set(doxygen_input "\"${doxygen_input}\"")
configure_file(docs/Doxyfile.in "${PROJECT_BINARY_DIR}/docs/Doxyfile" @ONLY)
add_custom_target(docs
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${docs_html}"
  COMMAND Doxygen::doxygen "${PROJECT_BINARY_DIR}/docs/Doxyfile"
  COMMAND ${CMAKE_COMMAND} -E env "PYTHONPATH=${PROJECT_BINARY_DIR}/python"
          "${Python3_EXECUTABLE}" -m sphinx -E -W --keep-going -q -b html
          -d "${PROJECT_BINARY_DIR}/docs/doctrees" "${PROJECT_SOURCE_DIR}/docs" "${docs_html}"
  DEPENDS cclp_python_core
  COMMENT "The reference: ${docs_html}/index.html"
  VERBATIM)
