# Included where the tests run a cross-built .exe under Wine. Finds Wine; when it cannot be
# there at all, configuring stops with one line that says why. Whether Wine can run the .exe
# is for the test fixture to find out, with the .exe itself (tests/wine-check.cmake).
# (Each message starts with a space so that CMake prints it as one line, unwrapped.)
# Sets: wine (the loader, full path; CMAKE_CROSSCOMPILING_EMULATOR too), wineserver, wine_env,
# wine32_hint.
# An older CMake ignores NO_CACHE below and caches the loader it found, which then goes stale.
if(CMAKE_VERSION VERSION_LESS 3.21)
  message(FATAL_ERROR " The tests under Wine need CMake 3.21 or later (find_program NO_CACHE)")
endif()
list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 wine_name)
# Debian keeps the 64-bit loader out of PATH.
find_program(wine NAMES ${wine_name} PATHS /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin
             NO_CACHE)
get_filename_component(wine_dir "${wine}" DIRECTORY)
find_program(wineserver NAMES wineserver HINTS ${wine_dir} PATHS /usr/lib/wine NO_CACHE)
# Also for the test fixture, which finds out when Debian's wrapper is there without it.
string(CONCAT wine32_hint "on Debian: dpkg --add-architecture i386 && apt-get update && "
                          "apt-get install wine32:i386")
if(NOT wine AND wineserver AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  if(wine_name STREQUAL "wine")
    set(hint "; ${wine32_hint}")
  else()
    set(hint " (the loader that CMAKE_CROSSCOMPILING_EMULATOR names)")
  endif()
  message(FATAL_ERROR " 32-bit Wine missing: ${wine_name} not found${hint}")
elseif(NOT wine)
  message(FATAL_ERROR " Wine not installed: ${wine_name} not found (on Debian: apt-get install "
                      "wine wine64, and wine32:i386 for the 32-bit build)")
elseif(NOT wineserver)
  message(FATAL_ERROR " Wine not installed: ${wine} found, but no wineserver beside it")
endif()
# The tests run the emulator: by its full path, then.
set(CMAKE_CROSSCOMPILING_EMULATOR ${wine})

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/ia32-probe.sh ${CMAKE_CURRENT_BINARY_DIR}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR " This system cannot run 32-bit x86 programs, so Wine cannot run the "
                        "32-bit tally.exe: `cmake --workflow --preset win64` tests the "
                        "64-bit exe under Wine, and -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) "
                        "builds and checks the 32-bit exe without running it")
  endif()
endif()

set(wine_env WINEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/wine WINEDEBUG=-all
             WINEDLLOVERRIDES=mscoree,mshtml=)
