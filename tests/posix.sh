#!/bin/bash
# What only a POSIX system can pose: a live pipe, failing streams, signals.
# Usage: posix.sh path/to/tally [big]
t=$1 fails=0 passes=0
check() { # name want got
  if [ "$2" == "$3" ]; then passes=$((passes + 1)); else
    fails=$((fails + 1)); printf '%s:\n  want %q\n  got  %q\n' "$1" "$2" "$3"; fi
}
err=$(mktemp) && trap 'rm -f "$err"' EXIT

if [ "${2-}" = big ]; then
  # Counts past 2^31 in one line of 4.3 GB, in constant memory.
  w=$(printf 'a %.0s' {1..1000})
  out=$(yes "$w" | tr -d '\n' | head -c 4300000000 | (ulimit -v 65536; exec "$t") | tail -c 44)
  check big "$(printf 'a \nline 1 too long\nlines 1\nwords 2150000000')" "$out"
else
  # Each line comes back before the next is written; arguments change nothing.
  coproc "$t" --help -x
  # bash closes a coproc's descriptors once it exits: keep copies to read the totals.
  exec {rd}<&"${COPROC[0]}" {wr}>&"${COPROC[1]}"
  pid=$COPROC_PID
  for line in 'first line' '' 'third  line '; do
    printf '%s\n' "$line" >&$wr
    IFS= read -r -t 5 got <&$rd
    check "echo of '$line'" "$line" "$got"
  done
  exec {wr}>&- {COPROC[1]}>&-
  check totals "$(printf 'lines 3\nwords 4')" "$(cat <&$rd)"
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
  # A reader that leaves early ends tally quietly by SIGPIPE, as it does cat.
  yes | "$t" 2>"$err" | head -n 1 >/dev/null
  check "broken pipe" "141 " "${PIPESTATUS[1]} $(<"$err")"
fi
echo "$passes passed, $fails failed"
[ "$fails" = 0 ]
