# Runs tally on IN and compares what it writes with the .out file beside IN, byte for byte.
# Usage: cmake -DTALLY=exe -DIN=case.in [-DEMULATOR=runner] -P golden.cmake
get_filename_component(name "${IN}" NAME_WE)
string(REGEX REPLACE "\\.in$" ".out" want "${IN}")
set(got "${CMAKE_CURRENT_BINARY_DIR}/${name}.got")

execute_process(COMMAND ${EMULATOR} "${TALLY}" INPUT_FILE "${IN}" OUTPUT_FILE "${got}"
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc STREQUAL "0" OR NOT err STREQUAL "")
  message(FATAL_ERROR "${name}: exit status ${rc}, standard error '${err}'")
endif()

# Hex, because CMake strings stop at a NUL byte.
file(READ "${want}" want_hex HEX)
file(READ "${got}" got_hex HEX)
if(NOT got_hex STREQUAL want_hex)
  message(FATAL_ERROR "${name}: output differs from ${want}\n"
                      "expected: ${want_hex}\n"
                      "got:      ${got_hex}")
endif()
