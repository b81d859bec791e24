# A full disk: exit status 1 and exactly one line on standard error.
# Usage: cmake -DTALLY=exe -DSTRERROR=helper [-DRUNNER=command] [-DTEXTMODE=1] -P full.cmake
# (the helper, tests/strerror.cpp built as tally is, gives the C library's words for ENOSPC)
execute_process(COMMAND ${RUNNER} "${STRERROR}" ENOSPC RESULT_VARIABLE rc
                OUTPUT_VARIABLE reason OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc STREQUAL "0" OR reason STREQUAL "")
  message(FATAL_ERROR "${STRERROR} ENOSPC: exit status ${rc}, no words for the error")
endif()
set(err "${CMAKE_CURRENT_BINARY_DIR}/full.err")
execute_process(COMMAND ${RUNNER} "${TALLY}" INPUT_FILE "${CMAKE_CURRENT_LIST_DIR}/golden/nolf.in"
                OUTPUT_FILE /dev/full ERROR_FILE "${err}" RESULT_VARIABLE rc)
# A file, not a variable: execute_process would fold a carriage return away.
file(READ "${err}" got HEX)
string(HEX "tally: write error: ${reason}" want)
if(TEXTMODE)
  string(APPEND want 0d)
endif()
string(APPEND want 0a)
if(NOT rc STREQUAL "1" OR NOT got STREQUAL want)
  message(FATAL_ERROR "exit status ${rc}, standard error (hex) ${got}")
endif()
