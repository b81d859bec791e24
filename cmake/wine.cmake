# Included where the tests run a cross-built .exe under Wine. Finds Wine and sets up its prefix
# in the build folder. When Wine cannot run the .exe here, configuring stops with one line
# that says why, rather than every test failing with Wine's own error.
# (Each message starts with a space so that CMake prints it as one line, unwrapped.)
# Sets: wine (the loader, full path; CMAKE_CROSSCOMPILING_EMULATOR too), wineserver, wine_env.
list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 wine_name)
# Debian keeps the 64-bit loader out of PATH.
find_program(wine NAMES ${wine_name} PATHS /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin
             NO_CACHE)
if(NOT wine)
  message(FATAL_ERROR " Wine not installed: ${wine_name} not found (on Debian: apt-get install "
                      "wine wine64, and wine32:i386 for the 32-bit build)")
endif()
# try_run and the tests run the emulator: by its full path, then.
set(CMAKE_CROSSCOMPILING_EMULATOR ${wine})
get_filename_component(wine_dir ${wine} DIRECTORY)
find_program(wineserver NAMES wineserver HINTS ${wine_dir} PATHS /usr/lib/wine NO_CACHE)
if(NOT wineserver)
  message(FATAL_ERROR " Wine not installed: ${wine} found, but no wineserver beside it")
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/ia32-probe.sh ${CMAKE_CURRENT_BINARY_DIR}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR " This system cannot run 32-bit x86 programs, so Wine cannot run the "
                        "32-bit tally.exe: run `cmake --workflow --preset windows64` instead "
                        "(tests the 64-bit exe under Wine), and `cmake --workflow --preset "
                        "windows-pe` (builds and checks the 32-bit exe)")
  endif()
endif()

set(wine_prefix ${CMAKE_CURRENT_BINARY_DIR}/wine)
set(wine_env WINEPREFIX=${wine_prefix} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
# Setting up a prefix takes seconds: once per build folder.
set(stamp ${CMAKE_CURRENT_BINARY_DIR}/wine.ready)
if(NOT EXISTS ${stamp})
  foreach(var IN LISTS wine_env)
    string(REGEX MATCH "^([^=]*)=(.*)" _ "${var}")
    set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
  endforeach()
  message(STATUS "Setting up the Wine prefix ${wine_prefix}")
  execute_process(COMMAND ${wine} wineboot --init RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    # Wine's last words name the cause; the first may only say that it made the folder.
    string(STRIP "${out}" out)
    string(REGEX REPLACE ".*\n" "" out "${out}")
    message(FATAL_ERROR " Wine prefix setup failed: `${wine} wineboot --init` exited with ${rc}: "
                        "${out}")
  endif()
  # Wine may set up a prefix with a loader of the other width: only running a program of the
  # target's width shows that Wine has one.
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/wine-probe.cpp "int main() { return 0; }\n")
  try_run(TALLY_WINE_RUNS TALLY_WINE_PROBE_BUILT ${CMAKE_CURRENT_BINARY_DIR}/wine-probe
          ${CMAKE_CURRENT_BINARY_DIR}/wine-probe.cpp RUN_OUTPUT_VARIABLE out)
  execute_process(COMMAND ${wineserver} -k)
  if(NOT TALLY_WINE_PROBE_BUILT)
    message(FATAL_ERROR " Could not build a test program for Wine: see CMakeFiles/CMakeError.log")
  elseif(NOT TALLY_WINE_RUNS STREQUAL "0")
    string(REGEX REPLACE "\n.*" "" out "${out}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      message(FATAL_ERROR " 32-bit Wine missing: ${wine} cannot run a 32-bit program (${out}); "
                          "on Debian: dpkg --add-architecture i386 && apt-get update && "
                          "apt-get install wine32:i386")
    endif()
    message(FATAL_ERROR " Wine cannot run a 64-bit program: ${wine}: ${out}")
  endif()
  file(TOUCH ${stamp})
endif()
