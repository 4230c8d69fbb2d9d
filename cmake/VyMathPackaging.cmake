# Version header, install rules, CMake package and pkg-config file of the vymath target.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The version lives in project() only; callers see it through VyMathVersion.h.
configure_file(${CMAKE_CURRENT_LIST_DIR}/VyMathVersion.h.in ${PROJECT_BINARY_DIR}/include/vymath/VyMathVersion.h
               @ONLY)
target_include_directories(vymath PUBLIC $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>)
set_target_properties(vymath PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})

if(NOT VYMATH_INSTALL)
    return()
endif()

set(VYMATH_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/VyMath)

set(vymath_installed vymath)
if(TARGET vymath_analysis)
    set_target_properties(vymath_analysis PROPERTIES EXPORT_NAME analysis)
    list(APPEND vymath_installed vymath_analysis)
endif()
install(TARGETS ${vymath_installed} EXPORT VyMathTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The directory is read at install time, so every public header is picked up.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/vymath ${PROJECT_BINARY_DIR}/include/vymath
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
install(EXPORT VyMathTargets NAMESPACE vymath:: DESTINATION ${VYMATH_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VyMathConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/VyMathConfig.cmake INSTALL_DESTINATION ${VYMATH_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VyMathConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VyMathConfig.cmake ${PROJECT_BINARY_DIR}/VyMathConfigVersion.cmake
        DESTINATION ${VYMATH_CMAKE_DIR})

# vymath.pc: the prefix is filled in at install time, so `cmake --install --prefix` gets it right.
# The first pass keeps @VYMATH_PC_PREFIX@ for the second.
set(VYMATH_PC_PREFIX "@VYMATH_PC_PREFIX@")
foreach(kind LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${kind}}")
        set(VYMATH_PC_${kind} "${CMAKE_INSTALL_${kind}}")
    else()
        set(VYMATH_PC_${kind} "\${prefix}/${CMAKE_INSTALL_${kind}}")
    endif()
endforeach()
set(VYMATH_PC_CFLAGS "")
if(NOT BUILD_SHARED_LIBS)
    set(VYMATH_PC_CFLAGS " -DVYMATH_STATIC")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/vymath.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/vymath.pc.in @ONLY)
install(CODE "set(VYMATH_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
configure_file(\"${PROJECT_BINARY_DIR}/pkgconfig/vymath.pc.in\" \"${PROJECT_BINARY_DIR}/pkgconfig/vymath.pc\" @ONLY)")
install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/vymath.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Consumer check: install each flavour into a scratch prefix and build a program against it through
# find_package and through pkg-config.
if(VYMATH_TEST_PACKAGE AND VYMATH_BUILD_TESTS AND PROJECT_IS_TOP_LEVEL)
    foreach(flavour shared static)
        add_test(NAME package.${flavour}
                 COMMAND ${CMAKE_COMMAND} -DFLAVOUR=${flavour} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                         -DBUILD_DIR=${PROJECT_BINARY_DIR} -DBUILD_SHARED=${BUILD_SHARED_LIBS}
                         -DWORK_DIR=${PROJECT_BINARY_DIR}/package-check/${flavour}
                         "-DGENERATOR=${CMAKE_GENERATOR}" -DCXX=${CMAKE_CXX_COMPILER}
                         -DBUILD_TYPE=${CMAKE_BUILD_TYPE} -DNM=${CMAKE_NM} -DVERSION=${PROJECT_VERSION}
                         -DCLI=${VYMATH_BUILD_CLI}
                         -P ${PROJECT_SOURCE_DIR}/tests/package/check_package.cmake)
        set_tests_properties(package.${flavour} PROPERTIES TIMEOUT 600 LABELS package)
    endforeach()
endif()
