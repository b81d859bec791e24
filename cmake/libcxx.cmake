# Native build with clang and LLVM's C++ library, to catch reliance on one library's ways.
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_FLAGS_INIT -stdlib=libc++)
set(CMAKE_EXE_LINKER_FLAGS_INIT -stdlib=libc++)
