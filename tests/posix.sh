#!/bin/bash
# What only a POSIX system can pose: a live pipe, failing streams, signals.
# Usage: posix.sh path/to/tally [big]
t=$1 fails=0 passes=0
check() { # name want got
  if [ "$2" == "$3" ]; then passes=$((passes + 1)); else
    fails=$((fails + 1)); printf '%s:\n  want %q\n  got  %q\n' "$1" "$2" "$3"; fi
}
err=$(mktemp) so=$(mktemp) trace=$(mktemp) && trap 'rm -f "$err" "$so" "$trace"' EXIT
# tally's writes to standard output ($to, or a file) and error, by descriptor in order; the
# sanitizers' own writes go elsewhere, and their leak check cannot run under a tracer.
traced() {
  local to=${to:-$so}
  ASAN_OPTIONS=detect_leaks=0 strace -o "$trace" -P "$to" -P "$err" -e trace=write,writev "$@" \
    "$t" >"$to" 2>"$err"
}
fds() { sed -n 's/^writev\{0,1\}(\([0-9]*\),.*/\1/p' "$trace" | tr '\n' ' '; }

if [ "${2-}" = big ]; then
  # Counts past 2^32 in one line of 8.6 GB, in constant memory.
  w=$(printf 'a %.0s' {1..1000})
  out=$(yes "$w" | tr -d '\n' | head -c 8589934594 | (ulimit -v 65536; exec "$t" 2>"$err") |
    tail -c 28; echo "status ${PIPESTATUS[3]}")
  check big "$(printf 'a \nlines 1\nwords 4294967297\nstatus 0') line 1 too long" "$out $(<"$err")"
else
  # Each line comes back before the next is written; arguments change nothing.
  coproc "$t" --help -x
  # bash closes a coproc's descriptors once it exits: keep copies to read the totals.
  exec {rd}<&"${COPROC[0]}" {wr}>&"${COPROC[1]}"
  pid=$COPROC_PID
  for line in 'first line' '' 'third  line '; do
    printf '%s\n' "$line" >&$wr
    IFS= read -r -t 5 got <&$rd
    check "echo of '$line'" "0 $line" "$? $got"
  done
  exec {wr}>&- {COPROC[1]}>&-
  got=$(timeout 5 cat <&$rd)
  check totals "0 $(printf 'lines 3\nwords 4')" "$? $got"
  wait $pid
  check "streaming status" 0 $?

  echo hi | "$t" >/dev/full 2>"$err"
  check "/dev/full" "1 tally: write error: No space left on device" "$? $(<"$err")"
  "$t" </dev/null >/dev/full 2>"$err" # only the totals to write
  check "/dev/full, no lines" "1 tally: write error: No space left on device" "$? $(<"$err")"
  echo hi | "$t" >&- 2>"$err"
  check "closed stdout" "1 tally: write error: Bad file descriptor" "$? $(<"$err")"
  out=$("$t" <. 2>"$err")
  check "directory" "1 lines 0 words 0 tally: read error: Is a directory" \
    "$? $(echo $out) $(<"$err")"
  # A failed write is told once, in one write, and nothing more goes to standard output.
  printf 'hi\nthere\n' | traced -e inject=write:error=EIO:when=1
  check "write error, once" "1 1 2 tally: write error: Input/output error" "$? $(fds)$(<"$err")"
  # The same where a line outgrows the output buffer before its end.
  head -c 10000 /dev/zero | tr '\0' x | to=/dev/full traced
  check "write error mid-line" "1 1 2 tally: write error: No space left on device" \
    "$? $(fds)$(<"$err")"
  # A long line's report comes right after its echo, in one write of its own; if it cannot
  # be written, tally goes on.
  long=$(printf '%080d' 0)
  printf '%s\nb\n' "$long" | traced
  check "report after echo" "0 1 2 1 1 1 line 1 too long" "$? $(fds)$(<"$err")"
  printf '%s\n%s\n' "$long" "$long" | traced -e inject=write:error=EAGAIN:when=2
  check "report lost" "0 1 2 1 2 1 1 line 2 too long" "$? $(fds)$(<"$err")"
  out=$(printf '%s\nb\n' "$long" | "$t" 2>&-)
  check "closed stderr" "0 $long b lines 2 words 2" "$? $(echo $out)"
  # A reader that leaves early ends tally quietly by SIGPIPE, as it does cat.
  yes 2>/dev/null | env --default-signal=PIPE "$t" 2>"$err" | head -n 1 >/dev/null
  check "broken pipe" "141 " "${PIPESTATUS[1]} $(<"$err")"
fi
echo "$passes passed, $fails failed"
[ "$fails" = 0 ]
