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

# Two components, one Debian package each: the programs, for a kiosk, and the
# files to build programs on the toolkit with.
install(TARGETS toolkit EXPORT kiosktkTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        COMPONENT development)
install(FILES toolkit/include/toolkit.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kiosktk
        COMPONENT development)
install(TARGETS ${KIOSKTK_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)

install(EXPORT kiosktkTargets NAMESPACE kiosktk:: DESTINATION ${KIOSKTK_CMAKE_DIR}
        COMPONENT development)
configure_package_config_file(cmake/kiosktkConfig.cmake.in
  ${PROJECT_BINARY_DIR}/kiosktkConfig.cmake INSTALL_DESTINATION ${KIOSKTK_CMAKE_DIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kiosktkConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kiosktkConfig.cmake
              ${PROJECT_BINARY_DIR}/kiosktkConfigVersion.cmake
        DESTINATION ${KIOSKTK_CMAKE_DIR} COMPONENT development)

# The pkg-config file finds the prefix from its own place, so that it holds
# whatever prefix the install is given.
file(RELATIVE_PATH KIOSKTK_PC_TO_PREFIX /prefix/${KIOSKTK_PC_DIR} /prefix)
configure_file(cmake/kiosktk.pc.in ${PROJECT_BINARY_DIR}/kiosktk.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kiosktk.pc DESTINATION ${KIOSKTK_PC_DIR}
        COMPONENT development)

# A manual page for each program, made from its --help when it is built.
foreach(program IN LISTS KIOSKTK_PROGRAMS)
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page}
            -P ${PROJECT_SOURCE_DIR}/cmake/manual_page.cmake
    DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/manual_page.cmake
    COMMENT "Manual page of ${program}")
  list(APPEND manual_pages ${page})
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_pages})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
# The systemd unit that boots a panel into a program under cage (docs/kiosk.md).
install(FILES docs/kiosktk-kiosk.service DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kiosktk/examples
        COMPONENT programs)

# The Debian packages: in a Release build folder, cpack -G DEB makes
# kiosktk_<version>_<arch>.deb, the programs, and kiosktk-dev_<version>_<arch>.deb,
# the files to build programs on the toolkit with, each under /usr.
set(KIOSKTK_MAINTAINER "kiosktk developers <developers@kiosktk.org>")
# What building on the toolkit needs beside it: what its pkg-config file and
# CMake package find. The programs' dependencies come from their binaries.
set(KIOSKTK_DEV_DEPENDS libsdl1.2-dev libpng-dev pkgconf)

set(KIOSKTK_DEB_PACKAGES kiosktk kiosktk-dev)
set(KIOSKTK_DEB_COMPONENTS programs development)
include(cmake/debian_files.cmake)

set(CPACK_PACKAGE_NAME kiosktk)
set(CPACK_PACKAGE_CONTACT ${KIOSKTK_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${KIOSKTK_DEB_COMPONENTS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME kiosktk)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION [[full-screen touch programs on the kiosktk toolkit
Five pointer-driven programs for kiosks and touch panels, drawn pixel by
pixel on SDL 1.2: panelwright, a layout designer that saves its layouts as
toolkit calls; panelpeek, a live preview of such a layout; tallyboard, a
four-function calculator; shapescope, a regular-polygon viewer; and tintpad,
a colour pad.

They run on X, on Wayland through Xwayland, and on the Linux framebuffer. An
example systemd unit that boots a panel into one of them under a Wayland
kiosk compositor is in /usr/share/doc/kiosktk/examples.]])

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME kiosktk-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
list(JOIN KIOSKTK_DEV_DEPENDS ", " CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION [[pixel-exact widget toolkit for touch kiosks on SDL 1.2 (development)
kiosktk draws labels, buttons, number views, meters and sliders pixel by
pixel on one SDL 1.2 surface, for full-screen programs driven by a pointer or
a touch screen alone.

This package holds what building a program on it takes: the header, the
static library, the CMake package (find_package(kiosktk)) and the pkg-config
module kiosktk.]])

# cpack reads the programs' dependencies from the built binaries.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/debian_depends.cmake)
list(TRANSFORM KIOSKTK_PROGRAMS PREPEND ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/
     OUTPUT_VARIABLE CPACK_KIOSKTK_PROGRAM_FILES)
include(CPack)
