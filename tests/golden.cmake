# Runs tally on IN and compares what it writes with the .out file beside IN, byte for byte.
# Usage: cmake -DTALLY=exe -DIN=case.in [-DEMULATOR=runner] [-DTEXTMODE=1] -P golden.cmake
#
# A text-mode runtime (Windows) writes each line feed as carriage return and line feed, and
# reads a carriage return before a line feed as nothing. Its expectation is the .out file
# with that rule applied, or, where the input holds carriage returns or Ctrl-Z, a .win.out file.
get_filename_component(name "${IN}" NAME_WE)
string(REGEX REPLACE "\\.in$" "" stem "${IN}")
set(want "${stem}.out")
if(TEXTMODE AND EXISTS "${stem}.win.out")
  set(want "${stem}.win.out")
  set(TEXTMODE OFF)
endif()
set(got "${CMAKE_CURRENT_BINARY_DIR}/${name}.got")

execute_process(COMMAND ${EMULATOR} "${TALLY}" INPUT_FILE "${IN}" OUTPUT_FILE "${got}"
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc STREQUAL "0" OR NOT err STREQUAL "")
  message(FATAL_ERROR "${name}: exit status ${rc}, standard error '${err}'")
endif()

# Hex, because CMake strings stop at a NUL byte.
file(READ "${want}" want_hex HEX)
file(READ "${got}" got_hex HEX)
if(TEXTMODE)
  string(REGEX REPLACE "(..)" "\\1 " want_hex "${want_hex}")
  string(REPLACE "0a " "0d0a" want_hex "${want_hex}")
  string(REPLACE " " "" want_hex "${want_hex}")
endif()
if(NOT got_hex STREQUAL want_hex)
  message(FATAL_ERROR "${name}: output differs from ${want}\n"
                      "expected: ${want_hex}\n"
                      "got:      ${got_hex}")
endif()
