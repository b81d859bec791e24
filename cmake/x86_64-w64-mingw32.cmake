# Cross-build for x86-64 Windows with MinGW-w64; run the result under 64-bit Wine, which
# needs no 32-bit support from the kernel.
set(TALLY_MINGW x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR wine64)
endif()
