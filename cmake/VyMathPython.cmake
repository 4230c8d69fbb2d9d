# VYMATH_BUILD_PYTHON: the Python package (python/), on by default for the top-level project when
# pybind11, the Python headers, numpy and oneTBB (for the analysis layer it is built on) are found. Debian's interpreter is preferred: another
# python3 earlier on PATH may lack numpy.
if(NOT DEFINED Python_EXECUTABLE AND EXISTS /usr/bin/python3)
    set(Python_EXECUTABLE /usr/bin/python3)
endif()

set(vymath_python_default OFF)
if(PROJECT_IS_TOP_LEVEL OR VYMATH_BUILD_PYTHON)
    find_package(Python 3.8 COMPONENTS Interpreter Development.Module QUIET)
    set(PYBIND11_FINDPYTHON ON)
    find_package(pybind11 2.6 CONFIG QUIET)
    find_package(TBB CONFIG QUIET)
    set(vymath_numpy_found FALSE)
    if(Python_FOUND)
        execute_process(COMMAND ${Python_EXECUTABLE} -c "import numpy" RESULT_VARIABLE vymath_numpy_rc
                        OUTPUT_QUIET ERROR_QUIET)
        if(vymath_numpy_rc EQUAL 0)
            set(vymath_numpy_found TRUE)
        endif()
    endif()
    if(Python_FOUND AND pybind11_FOUND AND vymath_numpy_found AND TBB_FOUND)
        set(vymath_python_default ${PROJECT_IS_TOP_LEVEL})
    elseif(NOT DEFINED VYMATH_BUILD_PYTHON)
        message(STATUS "VyMath: Python package off (needs the Python headers, pybind11, numpy and oneTBB; "
                       "Debian: python3-dev pybind11-dev python3-numpy libtbb-dev)")
    endif()
endif()

option(VYMATH_BUILD_PYTHON "Build the Python package vymath (pybind11 and numpy)" ${vymath_python_default})
