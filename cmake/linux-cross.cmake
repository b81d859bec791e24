# Cross-build for Linux on another processor with Debian's cross toolchains (g++-TRIPLE,
# e.g. g++-aarch64-linux-gnu), and run the result under qemu-user where it is installed.
# TALLY_TRIPLE names the target (aarch64-linux-gnu, s390x-linux-gnu, ...); TALLY_QEMU the
# emulator, if its name is not qemu- and the triple's processor.
# -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) builds it without running it.
set(TALLY_TRIPLE "" CACHE STRING "Target triple of the cross toolchain, e.g. aarch64-linux-gnu")
if(NOT TALLY_TRIPLE)
  message(FATAL_ERROR " Set TALLY_TRIPLE to the target, e.g. -DTALLY_TRIPLE=aarch64-linux-gnu")
endif()
# CMake's checks configure projects of their own, which need the triple too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLY_TRIPLE)
string(REGEX REPLACE "-.*" "" cpu "${TALLY_TRIPLE}")
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${cpu})
find_program(TALLY_CROSS_CXX ${TALLY_TRIPLE}-g++)
if(NOT TALLY_CROSS_CXX)
  message(FATAL_ERROR " No ${TALLY_TRIPLE}-g++: on Debian, apt-get install g++-${TALLY_TRIPLE}")
endif()
set(CMAKE_CXX_COMPILER ${TALLY_CROSS_CXX})
set(CMAKE_FIND_ROOT_PATH /usr/${TALLY_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(TALLY_QEMU qemu-${cpu} CACHE STRING "qemu-user emulator for the target")
  find_program(TALLY_QEMU_PATH ${TALLY_QEMU})
  if(TALLY_QEMU_PATH)
    # -L: the target's dynamic loader and libraries, where Debian's cross packages put them.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLY_QEMU_PATH} -L /usr/${TALLY_TRIPLE})
  endif()
endif()
