#!/bin/sh
# Exits 0 if this kernel runs 32-bit x86 programs, as Wine needs to run a 32-bit exe, and
# non-zero if not; TALLY_IA32=yes or no forces the answer, to try either path on any machine.
# Usage: ia32-probe.sh DIR   (DIR gets the probe: it must allow programs to run)
case "${TALLY_IA32-}" in
  yes) exit 0 ;;
  no) exit 1 ;;
esac
probe="${1:?usage: ia32-probe.sh DIR}/ia32-probe"
# The least ELF that Linux loads: header, one loadable segment, then
# xor eax,eax; inc eax; xor ebx,ebx; int 0x80 (exit with status 0). Octal: dash's printf has no \x.
{
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'
  printf '\133\000\000\000\133\000\000\000\005\000\000\000\000\020\000\000'
  printf '\061\300\100\061\333\315\200'
} >"$probe" && chmod +x "$probe" || exit 1
"$probe" 2>/dev/null
