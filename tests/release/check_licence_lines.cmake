# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every source file of the project (C++, CMake, shell, Python)
# starts with its licence line, after the shebang line of a script, so a
# file added later without one is caught.
#   cmake -DSOURCE_DIR=<checkout> -P check_licence_lines.cmake
cmake_minimum_required(VERSION 3.25)
set(identifier "SPDX-License-Identifier: GPL-3.0-or-later")

# The files under version control; without git (an unpacked source archive)
# every file outside the build folders. Test data and fuzzing corpora are
# inputs, not sources, whatever their first bytes.
execute_process(COMMAND git ls-files WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE listed RESULT_VARIABLE status
                ERROR_QUIET)
if(status EQUAL 0)
  string(REGEX REPLACE "\n$" "" listed "${listed}")
  string(REPLACE "\n" ";" files "${listed}")
else()
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
  list(FILTER files EXCLUDE REGEX "^(build[^/]*|\\.git|\\.cache)/")
endif()
list(FILTER files EXCLUDE REGEX "(^|/)(corpus|data)/")

set(missing)
set(checked 0)
foreach(file IN LISTS files)
  # Sources by their extension; scripts, named without one, by their shebang.
  get_filename_component(name ${file} NAME)
  if(IS_DIRECTORY ${SOURCE_DIR}/${file} OR NOT EXISTS ${SOURCE_DIR}/${file}
     OR (name MATCHES "\\." AND NOT name MATCHES "\\.(c|cc|cpp|cxx|h|hh|hpp|hxx|cmake|sh|py)(\\.in)?$|^CMakeLists\\.txt$"))
    continue()
  endif()
  file(READ ${SOURCE_DIR}/${file} head LIMIT 512)
  string(FIND "${head}" "\n" first_end)
  if(first_end EQUAL -1)
    set(first_line "${head}")
    set(rest "")
  else()
    string(SUBSTRING "${head}" 0 ${first_end} first_line)
    math(EXPR rest_start "${first_end} + 1")
    string(SUBSTRING "${head}" ${rest_start} -1 rest)
  endif()
  if(file MATCHES "\\.(c|cc|cpp|cxx|h|hh|hpp|hxx)(\\.in)?$")
    set(expected "// ${identifier}")
    set(text "${head}")
  elseif(file MATCHES "(^|/)CMakeLists\\.txt$|\\.cmake(\\.in)?$|\\.(sh|py)$" OR first_line MATCHES "^#!")
    set(expected "# ${identifier}")
    # A script's shebang line comes first.
    if(first_line MATCHES "^#!")
      set(text "${rest}")
    else()
      set(text "${head}")
    endif()
  else()
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  string(FIND "${text}" "${expected}\n" at)
  if(NOT at EQUAL 0)
    list(APPEND missing "${file}")
  endif()
endforeach()

if(missing)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "These source files do not start with the line \"${identifier}\" "
                      "(after a shebang line), as a comment of their language:\n  ${missing}")
endif()
message(STATUS "${checked} source files carry the licence line")
