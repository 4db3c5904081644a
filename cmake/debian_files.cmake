# What Debian asks of every package beside its files: the licence, in its
# machine-readable form, and a changelog, in /usr/share/doc/<package>.
# Included by package.cmake, which names the packages and their components.
set(debian ${PROJECT_BINARY_DIR}/debian)

# The licence travels with every copy: LICENSE's notice, laid out as a
# copyright file (each line indented, blank lines as " .").
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE licence_lines)
list(FILTER licence_lines INCLUDE REGEX "^Copyright ")
list(GET licence_lines 0 holder)
string(REGEX REPLACE "^Copyright (\\(c\\) )?" "" holder "${holder}")
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^.*\nPermission" "Permission" licence "${licence}")
string(STRIP "${licence}" licence)
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
file(WRITE ${debian}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${PROJECT_NAME}
Upstream-Contact: ${KIOSKTK_MAINTAINER}

Files: *
Copyright: ${holder}
License: Expat
 ${licence}
")

# One entry for this version; the changes themselves are in the project's
# CHANGELOG.md. Its date follows SOURCE_DATE_EPOCH where that is set.
string(TIMESTAMP changed "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${debian}/changelog
"${PROJECT_NAME} (${PROJECT_VERSION}) unstable; urgency=medium

  * Version ${PROJECT_VERSION}.

 -- ${KIOSKTK_MAINTAINER}  ${changed}
")
execute_process(COMMAND gzip -9nf ${debian}/changelog RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip cannot compress ${debian}/changelog")
endif()

foreach(package component IN ZIP_LISTS KIOSKTK_DEB_PACKAGES KIOSKTK_DEB_COMPONENTS)
  install(FILES ${debian}/copyright ${debian}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()
