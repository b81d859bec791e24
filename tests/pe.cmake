# tally.exe is a console program for ARCH (i386 or x86-64) that imports only from DLLs every
# Windows has, and its word count compiled to vectors: SSE2 compares on xmm registers, which
# the 32-bit exe has only when built for SSE2.
# Usage: cmake -DOBJDUMP=objdump -DEXE=tally.exe -DARCH=i386 -P pe.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump) # its errors show as they are
string(REGEX MATCHALL "DLL Name: [^\n]*" dlls "${dump}")
list(SORT dlls CASE INSENSITIVE)
string(REPLACE "DLL Name: " "" dlls "${dlls}")
if(NOT dump MATCHES "file format pei-${ARCH}\n")
  string(APPEND bad "not a PE file for ${ARCH}; ")
endif()
if(NOT dump MATCHES "\nSubsystem\t+00000003\t\\(Windows CUI\\)")
  string(APPEND bad "not a console program; ")
endif()
if(NOT dlls STREQUAL "KERNEL32.dll;msvcrt.dll")
  string(APPEND bad "imports ${dlls}, want KERNEL32.dll;msvcrt.dll; ")
endif()
execute_process(COMMAND ${OBJDUMP} -d ${EXE} OUTPUT_VARIABLE code)
if(NOT code MATCHES "pcmpeqb[ \t][^\n]*%xmm")
  string(APPEND bad "no SSE2 compares (pcmpeqb on xmm): the word count is not vectorized; ")
endif()
if(bad)
  message(FATAL_ERROR " ${EXE}: ${bad}")
endif()
