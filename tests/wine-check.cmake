# Readies Wine for the tests, then runs the .exe under test once on empty input: when Wine
# cannot start it, one line says why, in Wine's words, rather than each test failing with a
# bare exit status. It is the .exe itself that is tried, so that no probe built another way
# can pass or fail in its place.
# Usage: cmake -DWINE=loader -DWINESERVER=server -DWINE32_HINT=text -DEXE=tally.exe
#          -P wine-check.cmake
# (with WINEPREFIX and the rest of Wine's settings in the environment)
#
# A server kept up for the whole run makes a case cost milliseconds, and one minute more, so
# that a run cut short leaves none behind; -p fails when one for the prefix is up already,
# and that one will do. Wine's output goes to files: the services that wineboot leaves
# running would hold a pipe open.
get_filename_component(name "${EXE}" NAME_WE)
set(log "${CMAKE_CURRENT_BINARY_DIR}/wine-${name}")
execute_process(COMMAND ${WINESERVER} -p60 OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
execute_process(COMMAND ${WINE} wineboot --init RESULT_VARIABLE rc OUTPUT_FILE "${log}.boot"
                ERROR_FILE "${log}.boot")
if(NOT rc EQUAL 0)
  # Wine's last words name the cause; the first may only say that it made the folder.
  file(STRINGS "${log}.boot" out)
  list(POP_BACK out last)
  message(FATAL_ERROR " Wine prefix setup failed: wineboot --init exited with ${rc}: ${last}")
endif()

# Wine's errors on, its noise off; the Debian wrapper then also says when wine32 is missing.
set(ENV{WINEDEBUG} fixme-all)
execute_process(COMMAND ${WINE} "${EXE}" INPUT_FILE /dev/null OUTPUT_FILE "${log}.out"
                ERROR_FILE "${log}.err" RESULT_VARIABLE rc)
file(STRINGS "${log}.err" err)
list(TRANSFORM err REPLACE "^[0-9a-f]+:" "") # the thread's number
set(wine32 "${err}")
list(FILTER wine32 INCLUDE REGEX "wine32 is missing|wow64 mode")
if(wine32)
  list(GET wine32 0 why)
  string(REGEX REPLACE "\\.$" "" why "${why}")
  message(FATAL_ERROR " 32-bit Wine missing: ${WINE}: ${why}; ${WINE32_HINT}")
endif()
# Any output means the .exe ran; whether it wrote the right bytes is for the tests to say.
file(SIZE "${log}.out" size)
if(size GREATER 0)
  return()
endif()
# Wine's first words name the cause (for a missing DLL, the module loader's).
set(why "no output")
if(err)
  list(GET err 0 why)
endif()
message(FATAL_ERROR " Wine cannot run ${EXE}: exit status ${rc}: ${why}")
