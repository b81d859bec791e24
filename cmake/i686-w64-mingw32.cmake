# Cross-build for 32-bit x86 Windows with MinGW-w64; run the result under Wine.
# -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) builds it without running it.
set(TALLY_MINGW i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
# With SSE2, as Windows toolchains build x86 code (every Windows since 8 needs it); Debian's
# MinGW-w64 targets a Pentium Pro, which leaves the word count's loop unvectorized.
set(CMAKE_CXX_FLAGS_INIT -msse2)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
