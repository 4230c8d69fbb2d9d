# Installs one flavour (FLAVOUR = shared or static) of VyMath into a scratch prefix, then builds and
# runs tests/package/consumer.cpp against it, once through find_package and once through pkg-config.
# The flavour of the calling build tree (BUILD_SHARED) is installed from BUILD_DIR; the other one is
# built from SOURCE_DIR in WORK_DIR/build, without tests.
cmake_minimum_required(VERSION 3.25)

function(run)
    execute_process(COMMAND ${ARGN} COMMAND_ECHO STDOUT COMMAND_ERROR_IS_FATAL ANY)
endfunction()

function(require_files)
    foreach(pattern IN LISTS ARGN)
        file(GLOB found "${pattern}")
        if(NOT found)
            message(FATAL_ERROR "Not installed: ${pattern}")
        endif()
    endforeach()
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${prefix} ${WORK_DIR}/consumer ${WORK_DIR}/pkgconfig-consumer)
if(FLAVOUR STREQUAL "shared")
    set(shared ON)
    set(expect_static OFF)
else()
    set(shared OFF)
    set(expect_static ON)
endif()

if((shared AND BUILD_SHARED) OR (NOT shared AND NOT BUILD_SHARED))
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
else()
    run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
        -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DBUILD_SHARED_LIBS=${shared} -DVYMATH_BUILD_TESTS=OFF
        -DVYMATH_BUILD_EXAMPLES=OFF -DVYMATH_BUILD_PYTHON=OFF -DVYMATH_SANITIZE=OFF -DVYMATH_INSTALL=ON -DVYMATH_BUILD_CLI=${CLI})
    run(${CMAKE_COMMAND} --build ${WORK_DIR}/build --parallel 2)
    run(${CMAKE_COMMAND} --install ${WORK_DIR}/build --prefix ${prefix})
endif()

# Layout of the installation.
file(GLOB_RECURSE pc_file ${prefix}/vymath.pc)
if(NOT pc_file)
    message(FATAL_ERROR "vymath.pc not installed")
endif()
get_filename_component(pc_dir ${pc_file} DIRECTORY)
get_filename_component(libdir ${pc_dir} DIRECTORY)
string(REGEX MATCH "^[0-9]+" major "${VERSION}")
require_files(${prefix}/include/vymath/vymath.h ${prefix}/include/vymath/VyMathExport.h
              ${prefix}/include/vymath/VyMathVersion.h ${prefix}/include/vymath/CVyMathFunction1D.h
              ${libdir}/cmake/VyMath/VyMathConfig.cmake ${libdir}/cmake/VyMath/VyMathConfigVersion.cmake
              ${libdir}/cmake/VyMath/VyMathTargets.cmake)
# The library's file names and its symbol table are checked where they are ELF's (.so, .a, nm).
set(elf OFF)
if(CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux" AND NM)
    set(elf ON)
else()
    message(STATUS "Library names and exported symbols not checked: they are checked on Linux with nm only")
endif()
if(elf AND shared)
    require_files(${libdir}/libvymath.so ${libdir}/libvymath.so.${major} ${libdir}/libvymath.so.${VERSION})
    file(GLOB other_flavour ${libdir}/libvymath.a)
elseif(elf)
    require_files(${libdir}/libvymath.a)
    file(GLOB other_flavour ${libdir}/libvymath.so*)
endif()
if(other_flavour)
    message(FATAL_ERROR "Other flavour installed as well: ${other_flavour}")
endif()

# The command-line tool, where it is built, is installed beside the library and runs from there, with the
# design codes it finds by name.
if(CLI)
    require_files(${prefix}/bin/vymath ${prefix}/share/vymath/codes/EN1990.json
                  ${prefix}/share/vymath/codes/ASCE7-16-LRFD.json ${prefix}/share/vymath/codes/ASCE7-16-ASD.json)
    execute_process(COMMAND ${prefix}/bin/vymath --version OUTPUT_VARIABLE tool_version
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT tool_version STREQUAL VERSION)
        message(FATAL_ERROR "The installed vymath says version ${tool_version}, expected ${VERSION}")
    endif()
endif()

# The shared library exports the public classes and nothing from the internal helpers.
if(elf AND shared)
    execute_process(COMMAND ${NM} -D -C --defined-only ${libdir}/libvymath.so.${VERSION}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
    list(LENGTH lines total)
    list(FILTER lines INCLUDE REGEX "CVyMath")
    list(LENGTH lines public)
    message(STATUS "Exported symbols: ${total}, of them ${public} of the CVyMath classes")
    if(public EQUAL 0)
        message(FATAL_ERROR "No CVyMath symbol exported")
    endif()
    string(REGEX MATCH "[^\n]*(vymath::detail|IsNaN|IsFinite|ValidateValue|LagrangeLine)[^\n]*" leaked
                 "${symbols}")
    if(leaked)
        message(FATAL_ERROR "Internal helper exported: ${leaked}")
    endif()
endif()

# Consumer through find_package.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package -B ${WORK_DIR}/consumer -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DCMAKE_PREFIX_PATH=${prefix}
    -DVYMATH_EXPECT_VERSION=${VERSION} -DVYMATH_EXPECT_STATIC=${expect_static})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
run(${WORK_DIR}/consumer/consumer)
# The analysis layer: linked as an outside project links it, its API exported and nothing else, the
# front-ends' helpers not installed.
if(EXISTS ${libdir}/cmake/VyMath/VyMathTargets.cmake)
    file(READ ${libdir}/cmake/VyMath/VyMathTargets.cmake targets)
    string(FIND "${targets}" "vymath::analysis" has_analysis)
    if(has_analysis GREATER_EQUAL 0)
        run(${WORK_DIR}/consumer/analysis_consumer)
        file(GLOB_RECURSE front_end ${prefix}/include/vymath/analysis/Numbers.h ${prefix}/include/*/Text.h
             ${prefix}/include/formats/*)
        if(front_end)
            message(FATAL_ERROR "A front-end helper is installed: ${front_end}")
        endif()
        if(elf AND shared)
            execute_process(COMMAND ${NM} -D -C --defined-only ${libdir}/libvymath_analysis.so.${VERSION}
                            OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
            string(REGEX MATCH "[^\n]*(vymath::text|vymath::analysis::rules|vymath::analysis::terms|tbb::)[^\n]*"
                         leaked "${symbols}")
            if(leaked)
                message(FATAL_ERROR "Internal helper of the analysis layer exported: ${leaked}")
            endif()
        endif()
    endif()
endif()

# Consumer through pkg-config.
find_program(PKG_CONFIG NAMES pkg-config pkgconf)
if(NOT PKG_CONFIG)
    message(FATAL_ERROR "pkg-config not found; install it (Debian: apt-get install pkg-config)")
endif()
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
execute_process(COMMAND ${PKG_CONFIG} --modversion vymath OUTPUT_VARIABLE pc_version
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(NOT pc_version STREQUAL VERSION)
    message(FATAL_ERROR "vymath.pc has version ${pc_version}, expected ${VERSION}")
endif()
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs vymath OUTPUT_VARIABLE pc_flags
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "pkg-config --cflags --libs vymath: ${pc_flags}")
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
if(expect_static)
    set(expect_static_value 1)
else()
    set(expect_static_value 0)
endif()
file(MAKE_DIRECTORY ${WORK_DIR}/pkgconfig-consumer)
set(exe ${WORK_DIR}/pkgconfig-consumer/consumer)
run(${CXX} -std=c++17 "-DVYMATH_EXPECT_VERSION=\"${VERSION}\"" -DVYMATH_EXPECT_STATIC=${expect_static_value}
    ${SOURCE_DIR}/tests/package/consumer.cpp ${pc_flags} -o ${exe})
if(shared)
    set(ENV{LD_LIBRARY_PATH} "${libdir}:$ENV{LD_LIBRARY_PATH}")
endif()
run(${exe})
