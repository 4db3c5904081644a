# What cmake --install puts into the prefix: the static library libkiosktk.a,
# include/kiosktk/toolkit.h, the CMake package kiosktk (lib/cmake/kiosktk),
# the pkg-config file kiosktk.pc and the programs.
include(CMakePackageConfigHelpers)

# The package is relocatable: its files find each other relative to the prefix.
foreach(folder LIBDIR INCLUDEDIR BINDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${folder}}")
    message(FATAL_ERROR "CMAKE_INSTALL_${folder} must be a folder inside the prefix")
  endif()
endforeach()

set(KIOSKTK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kiosktk)
set(KIOSKTK_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS toolkit EXPORT kiosktkTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES toolkit/include/toolkit.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kiosktk)
install(TARGETS ${KIOSKTK_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT kiosktkTargets NAMESPACE kiosktk:: DESTINATION ${KIOSKTK_CMAKE_DIR})
configure_package_config_file(cmake/kiosktkConfig.cmake.in
  ${PROJECT_BINARY_DIR}/kiosktkConfig.cmake INSTALL_DESTINATION ${KIOSKTK_CMAKE_DIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kiosktkConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kiosktkConfig.cmake
              ${PROJECT_BINARY_DIR}/kiosktkConfigVersion.cmake
        DESTINATION ${KIOSKTK_CMAKE_DIR})

# The pkg-config file finds the prefix from its own place, so that it holds
# whatever prefix the install is given.
file(RELATIVE_PATH KIOSKTK_PC_TO_PREFIX /prefix/${KIOSKTK_PC_DIR} /prefix)
configure_file(cmake/kiosktk.pc.in ${PROJECT_BINARY_DIR}/kiosktk.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kiosktk.pc DESTINATION ${KIOSKTK_PC_DIR})

# The Debian package: in a Release build folder, cpack -G DEB makes
# kiosktk_<version>_<arch>.deb with all of the above under /usr.
set(CPACK_PACKAGE_NAME kiosktk)
set(CPACK_PACKAGE_CONTACT "kiosktk developers <kiosktk@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "pixel-exact widget toolkit for touch kiosks on SDL 1.2, and its programs")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# SDL 1.2 is libsdl1.2debian on Debian 12 and sdl12-compat from Debian 13 on;
# either runs the programs, so the dependency names both rather than the one
# found on the building machine. libpng's library was renamed the same way.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libsdl1.2debian | libsdl1.2-compat, libpng16-16 | libpng16-16t64")
# Programs built on the toolkit need SDL 1.2's and libpng's headers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libsdl1.2-dev, libpng-dev, pkg-config")
include(CPack)
