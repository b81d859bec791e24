# Cross-build for Windows with MinGW-w64: TALLY_MINGW names the target, i686-w64-mingw32 or
# x86_64-w64-mingw32. The tests run the exe under Wine; an empty
# -DCMAKE_CROSSCOMPILING_EMULATOR= builds and checks it without running it.
set(TALLY_MINGW i686-w64-mingw32 CACHE STRING "MinGW-w64 target triple")
# CMake's checks configure projects of their own, which need the triple too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLY_MINGW)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER ${TALLY_MINGW}-g++)
if(TALLY_MINGW MATCHES "^i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
  # SSE2, as Windows toolchains build x86 code (every Windows since 8 needs it); Debian's
  # MinGW-w64 targets a Pentium Pro, which leaves the word count's loop unvectorized.
  set(CMAKE_CXX_FLAGS_INIT -msse2)
  set(wine wine)
else()
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
  find_program(wine64 wine64 PATHS /usr/lib/wine) # where Debian keeps it, off PATH
  set(wine ${wine64})
endif()
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${wine})
endif()
