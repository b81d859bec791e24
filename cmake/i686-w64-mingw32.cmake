# Cross-build for 32-bit x86 Windows with MinGW-w64; run the result under Wine.
# -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) builds it without running it.
set(TALLY_MINGW i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
