# Runs tally on IN and compares its standard output, byte for byte, with the .out file beside
# IN; its standard error must be empty, and its exit status 0.
# Usage: cmake -DTALLY=exe -DIN=case.in [-DRUNNER=command] [-DTEXTMODE=1] -P golden.cmake
#
# A text-mode runtime (Windows) writes each line feed as carriage return and line feed, and
# reads a carriage return before a line feed as nothing. Its expectation is the .out file
# with that rule applied, or, where the input holds carriage returns or Ctrl-Z, the .win.out
# file.
get_filename_component(name "${IN}" NAME_WE)
string(REGEX REPLACE "\\.in$" "" stem "${IN}")
set(got "${CMAKE_CURRENT_BINARY_DIR}/${name}")

# Files, not variables: execute_process would fold a carriage return away.
execute_process(COMMAND ${RUNNER} "${TALLY}" INPUT_FILE "${IN}" OUTPUT_FILE "${got}.out"
                ERROR_FILE "${got}.err" RESULT_VARIABLE rc)
if(NOT rc STREQUAL "0")
  message(FATAL_ERROR "${name}: exit status ${rc}")
endif()

file(SIZE "${got}.err" size)
if(size GREATER 0)
  file(READ "${got}.err" err)
  message(FATAL_ERROR "${name}: ${size} bytes on standard error: ${err}")
endif()
set(want "${stem}.out")
set(crlf ${TEXTMODE})
if(TEXTMODE AND EXISTS "${stem}.win.out")
  set(want "${stem}.win.out")
  set(crlf OFF)
endif()
file(READ "${want}" want_hex HEX) # hex, because CMake strings stop at a NUL byte
if(crlf)
  string(REGEX REPLACE "(..)" "\\1 " want_hex "${want_hex}")
  string(REPLACE "0a " "0d0a" want_hex "${want_hex}")
  string(REPLACE " " "" want_hex "${want_hex}")
endif()
file(READ "${got}.out" got_hex HEX)
if(NOT got_hex STREQUAL want_hex)
  message(FATAL_ERROR "${name}: what tally wrote differs from ${want}\n"
                      "expected: ${want_hex}\n"
                      "got:      ${got_hex}")
endif()
