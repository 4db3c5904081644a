# cmake -DREADME=<file> -DEXAMPLE=<file> -P readme_test.cmake: fails unless the
# README shows the example file whole and unchanged, as one fenced code block.
file(READ "${README}" readme)
file(READ "${EXAMPLE}" example)
cmake_path(GET EXAMPLE FILENAME name)
if(name STREQUAL "CMakeLists.txt")
  set(fence "```cmake\n")
else()
  set(fence "```cpp\n")
endif()
string(FIND "${readme}" "${fence}${example}```\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${README} does not show ${EXAMPLE} as it is, in a ${fence} block")
endif()
