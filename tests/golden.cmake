# Runs tally on IN and compares its standard output and standard error, byte for byte, with
# the .out and .err files beside IN (no .err: nothing on standard error).
# Usage: cmake -DTALLY=exe -DIN=case.in [-DRUNNER=command] [-DTEXTMODE=1] -P golden.cmake
#
# A text-mode runtime (Windows) writes each line feed as carriage return and line feed, and
# reads a carriage return before a line feed as nothing. Its expectation is the .out or .err
# file with that rule applied, or, where the input holds carriage returns or Ctrl-Z, the
# .win.out or .win.err file.
get_filename_component(name "${IN}" NAME_WE)
string(REGEX REPLACE "\\.in$" "" stem "${IN}")
set(got "${CMAKE_CURRENT_BINARY_DIR}/${name}")

# Files, not variables: execute_process would fold a carriage return away.
execute_process(COMMAND ${RUNNER} "${TALLY}" INPUT_FILE "${IN}" OUTPUT_FILE "${got}.out"
                ERROR_FILE "${got}.err" RESULT_VARIABLE rc)
if(NOT rc STREQUAL "0")
  message(FATAL_ERROR "${name}: exit status ${rc}")
endif()

foreach(ext out err)
  set(want "${stem}.${ext}")
  set(crlf ${TEXTMODE})
  if(TEXTMODE AND EXISTS "${stem}.win.${ext}")
    set(want "${stem}.win.${ext}")
    set(crlf OFF)
  endif()
  set(want_hex "")
  if(EXISTS "${want}")
    file(READ "${want}" want_hex HEX) # hex, because CMake strings stop at a NUL byte
  endif()
  if(crlf)
    string(REGEX REPLACE "(..)" "\\1 " want_hex "${want_hex}")
    string(REPLACE "0a " "0d0a" want_hex "${want_hex}")
    string(REPLACE " " "" want_hex "${want_hex}")
  endif()
  file(READ "${got}.${ext}" got_hex HEX)
  if(NOT got_hex STREQUAL want_hex)
    message(FATAL_ERROR "${name}: what tally wrote differs from ${want}\n"
                        "expected: ${want_hex}\n"
                        "got:      ${got_hex}")
  endif()
endforeach()
