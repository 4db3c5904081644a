# Read by cpack: the programs' package depends on the libraries its binaries
# link, each with the least version that dpkg-shlibdeps finds their symbols
# need, so that it refuses to install where the C or C++ runtime is too old to
# start them.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(work ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/shlibdeps)
file(MAKE_DIRECTORY ${work}/debian)
file(WRITE ${work}/debian/control "Source: kiosktk\n")
execute_process(COMMAND dpkg-shlibdeps -O ${CPACK_KIOSKTK_PROGRAM_FILES}
  WORKING_DIRECTORY ${work} RESULT_VARIABLE failed OUTPUT_VARIABLE substitutions
  ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "dpkg-shlibdeps cannot read the programs' dependencies: ${errors}")
endif()
string(REGEX REPLACE "^shlibs:Depends=([^\n]*).*" "\\1" depends "${substitutions}")

# SDL 1.2 is libsdl1.2debian on Debian 12 and sdl12-compat from Debian 13 on;
# either runs the programs, whichever the building machine had.
if(depends MATCHES "libsdl1\\.2debian")
  string(REGEX REPLACE "libsdl1\\.2debian( \\([^)]*\\))?" "\\0 | libsdl1.2-compat" depends
         "${depends}")
else()
  string(REGEX REPLACE "libsdl1\\.2-compat( \\([^)]*\\))?" "libsdl1.2debian | \\0" depends
         "${depends}")
endif()
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "${depends}")
