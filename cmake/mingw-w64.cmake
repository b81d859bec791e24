# Shared by the MinGW-w64 toolchain files, which set TALLY_MINGW to the target triple first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER ${TALLY_MINGW}-g++)
set(CMAKE_RC_COMPILER ${TALLY_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TALLY_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One .exe that needs no MinGW DLLs beside it on a bare Windows system.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
