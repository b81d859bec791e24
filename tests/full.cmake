# A full disk: exit status 1 and exactly one line on standard error.
# Usage: cmake -DTALLY=exe [-DEMULATOR=runner] [-DTEXTMODE=1] -P full.cmake
set(err "${CMAKE_CURRENT_BINARY_DIR}/full.err")
execute_process(COMMAND ${EMULATOR} "${TALLY}" INPUT_FILE "${CMAKE_CURRENT_LIST_DIR}/golden/nolf.in"
                OUTPUT_FILE /dev/full ERROR_FILE "${err}" RESULT_VARIABLE rc)
# A file, not a variable: execute_process would fold a carriage return away.
file(READ "${err}" got HEX)
string(HEX "tally: write error: No space left on device" want)
if(TEXTMODE)
  string(APPEND want 0d)
endif()
string(APPEND want 0a)
if(NOT rc STREQUAL "1" OR NOT got STREQUAL want)
  message(FATAL_ERROR "exit status ${rc}, standard error (hex) ${got}")
endif()
