# Cross-build for Linux on another processor with Debian's cross toolchains (g++-TRIPLE), and
# run the tests under qemu-user. TALLY_TRIPLE names the target, e.g. aarch64-linux-gnu; an
# empty -DCMAKE_CROSSCOMPILING_EMULATOR= builds it without running it.
if(NOT TALLY_TRIPLE)
  message(FATAL_ERROR " Set TALLY_TRIPLE to the target, e.g. -DTALLY_TRIPLE=aarch64-linux-gnu")
endif()
# CMake's checks configure projects of their own, which need the triple too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLY_TRIPLE)
string(REGEX REPLACE "-.*" "" cpu "${TALLY_TRIPLE}")
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${cpu})
set(CMAKE_CXX_COMPILER ${TALLY_TRIPLE}-g++)
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  # -L: the target's loader and libraries, where Debian's cross packages put them.
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${cpu} -L /usr/${TALLY_TRIPLE})
endif()
