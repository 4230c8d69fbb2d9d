# The API reference (target "docs", not built by default): Doxygen over every public header under
# include/vymath/ and docs/mainpage.md, warnings as errors. Output: <build>/docs/html/index.html.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
    message(STATUS "VyMath: no API reference target (doxygen not found; Debian: doxygen)")
    return()
endif()
set(VYMATH_DOCS_DIR ${PROJECT_BINARY_DIR}/docs)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${VYMATH_DOCS_DIR}/Doxyfile @ONLY)
add_custom_target(docs
                  COMMAND ${DOXYGEN_EXECUTABLE} ${VYMATH_DOCS_DIR}/Doxyfile
                  WORKING_DIRECTORY ${VYMATH_DOCS_DIR}
                  COMMENT "API reference: ${VYMATH_DOCS_DIR}/html/index.html"
                  VERBATIM)
