# cmake -DPROGRAM=<binary> -DNAME=<name> -DVERSION=<version> -DOUTPUT=<page.1.gz>
#       -P manual_page.cmake
# Writes a program's manual page from its --help: the usage lines as the
# synopsis, the text under them as the description, the option lines as they
# are, so that the page never says other than the program.
execute_process(COMMAND ${PROGRAM} --help RESULT_VARIABLE failed OUTPUT_VARIABLE help)
if(failed)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${failed}")
endif()

# roff reads a leading '.' or '\'' as a request, and '-' as a hyphen where an
# option's dashes are meant.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" help "${help}")
string(REPLACE "--" "\\-\\-" help "${help}")

string(REGEX MATCH "^usage: [^\n]*(\n +[^\n]+)*" synopsis "${help}")
string(REGEX REPLACE "^usage: " "" synopsis "${synopsis}")
string(REGEX REPLACE "\n +" "\n" synopsis "${synopsis}")
string(REGEX MATCH "\n\n[^\n]+(\n[^ \n][^\n]*)*" description "${help}")
string(STRIP "${description}" description)
string(REGEX MATCH "(\n  [^\n]*)+\n?$" options "${help}")
string(REGEX REPLACE "^\n|\n$" "" options "${options}")
# The one line a manual index shows: the description's first clause.
string(REGEX MATCH "^[^:,.]+" whatis "${description}")
string(REGEX REPLACE "\n" " " whatis "${whatis}")
string(REGEX REPLACE "^A " "a " whatis "${whatis}")
string(TOUPPER ${NAME} title)

get_filename_component(page ${OUTPUT} NAME_WLE)
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(WRITE ${folder}/${page}
".TH ${title} 1 \"\" \"kiosktk ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${whatis}
.SH SYNOPSIS
.nf
${synopsis}
.fi
.SH DESCRIPTION
${description}
.SH OPTIONS
.nf
${options}
.fi
")
execute_process(COMMAND gzip -9nf ${folder}/${page} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip cannot compress ${folder}/${page}")
endif()
