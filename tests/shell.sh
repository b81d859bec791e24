#!/bin/bash
# The cases that take a shell around tally, by MODE: golden, tests/golden's files; posix, what
# only a POSIX system can pose (a live pipe, failing streams, signals); traced, errors injected
# by strace; big, counts past 2^32; quotes, the messages that the docs quote; wine, a full
# disk and a broken pipe under Windows' text-mode runtime.
# Usage: shell.sh MODE TALLY STRERROR [EMULATOR...]
# (STRERROR: tests/strerror.cpp built as tally is, which prints the C library's words for an
# error)
mode=$1 t=$2 strerror=$3 emu=("${@:4}") fails=0 passes=0
unset st to args textmode # set only for one call each: none may come from the caller
check() { # name want got
  if [ "$2" == "$3" ]; then passes=$((passes + 1)); else
    fails=$((fails + 1)); printf '%s:\n  want %q\n  got  %q\n' "$1" "$2" "${3:0:2000}"; fi
}
tmp=$(mktemp -d -p "$PWD") && trap 'rm -rf "$tmp"' EXIT
ulimit -f 32768 # KiB: a tally that writes on and on fails its case, and fills no disk
in=$tmp/in so=$tmp/out err=$tmp/err trace=$tmp/trace
touch "$so" "$err"
# An emulator takes more time to start than tally, and more memory (qemu-user: near 300 MiB
# of address space).
mem=65536 wait=5
[ ${#emu[@]} = 0 ] || mem=524288 wait=60
# Every case runs "$t", which ends tally after $wait seconds: one that hangs fails its case
# with status 124, by name, and the cases after it still run.
run=("${emu[@]}" "$t")
printf '#!/bin/bash\nexec timeout -k 1 %s %s"$@"\n' $wait "$(printf '%q ' "${run[@]}")" \
  >"$tmp/run" && chmod +x "$tmp/run" && t=$tmp/run || exit 1
if [ "$mode" != big ]; then
  reasons=$("${emu[@]}" "$strerror") || exit 1
  [[ $reasons != *$'\r'* ]] || textmode=1 # the runtime ends lines as Windows does
  { read -r eio; read -r enospc; read -r ebadf; read -r eisdir; read -r eagain; read -r epipe; } \
    <<<"${reasons//$'\r'/}"
fi
# expect name status out err [order]: tally's status ($? on entry, or $st) and exactly what it
# wrote to $so and $err, and if traced, the order of its writes (below). Empties both files.
expect() {
  local rc=${st:-$?} o e w=
  o=$(cat "$so"; echo .) e=$(cat "$err"; echo .)
  [ $# -lt 5 ] || w=" order $(order)"
  check "$1" "$2 $3. $4.${5:+ order $5}" "$rc $o $e$w"
  : >"$so"; : >"$err"
}
long=$(printf '%080d' 0)
# tally's messages, each worded here alone; the reason follows an error's.
ignoring=$'tally: ignoring arguments; reading standard input (usage: tally < file)\n'
rfail='tally: read error: ' wfail='tally: write error: '

case $mode in
golden)
  # Each NAME.in gives NAME.out on standard output, byte for byte, nothing on standard error
  # and status 0. Windows' text-mode runtime writes a line feed as CR LF; where it reads the
  # input otherwise (a CR before a line feed, Ctrl-Z), NAME.win.out says what it gives.
  for in in "$(dirname "$0")"/golden/*.in; do
    want=${in%.in}.out name=$(basename "$in" .in)
    if [ -n "${textmode-}" ]; then
      if [ -e "${in%.in}.win.out" ]; then want=${in%.in}.win.out; else
        sed 's/$/\r/' "$want" >"$tmp/want" && want=$tmp/want; fi
    fi
    "$t" <"$in" >"$so" 2>"$err"
    check "$name: status, standard error" "0 " "$? $(cat "$err")"
    check "$name: output" "" "$(cmp "$want" "$so" 2>&1)"
  done
  ;;
quotes)
  # The README and the manual page show tally's totals as in the example they share, and the
  # page quotes its messages as it prints them, "reason" standing in for the reason. And
  # every "tally:" in a doc starts a message that tally prints, whole to the end of its code
  # span or line: a quote gone stale fails, and so does one cut by a line break.
  notice=$(echo | "$t" x 2>&1 >/dev/null)
  rerr=$("$t" <. 2>&1 >/dev/null) werr=$(echo | "$t" 2>&1 >/dev/full)
  example=$(printf 'hello world\nbye\n' | "$t" 2>/dev/null)
  top=$(dirname "$0")/..
  # The messages, each reason replaced by $1: a stand-in, or another reason tally may give.
  said() { printf '%s\n' "$notice" "${rerr/%"$eisdir"/"$1"}" "${werr/%"$enospc"/"$1"}"; }
  # A doc's words as its reader sees them: roff's unbreakable spaces and font changes undone.
  words() { sed 's/\\[ ~]/ /g; s/\\f[BIRP]//g' "$top/$1"; }
  for doc in README.md man/tally.1.in; do
    text=$(words "$doc") quoted=("$example")
    [ $doc = README.md ] || mapfile -t -O 1 quoted < <(said reason)
    for s in "${quoted[@]}"; do
      [[ -n $s && $text == *"$s"* ]]
      check "$doc quotes '${s//$'\n'/\\n}'" 0 $?
    done
  done
  printed=$(for r in reason "$eio" "$enospc" "$ebadf" "$eisdir" "$eagain" "$epipe"; do
    said "$r"
  done)
  for doc in "$top"/*.md "$top"/*/*.md "$top"/tests/golden/*.md "$top"/doc/*.in \
    "$top"/man/tally.1.in; do
    doc=${doc#"$top"/}
    while IFS= read -r q; do
      grep -qxF -- "$q" <<<"$printed"
      check "$doc: '$q' is a message tally prints" 0 $?
    done < <(words "$doc" | grep -o 'tally:[^`]*')
  done
  ;;
wine)
  # One line, ended as Windows ends it, and nothing more. Windows has no SIGPIPE: a reader
  # gone away is told by its own reason, which the runtime words as a bad argument.
  echo hi | "$t" >/dev/full 2>"$err"
  expect "/dev/full, text mode" 1 '' "$wfail$enospc"$'\r\n'
  yes | "$t" 2>"$err" | head -c 2 >"$so"
  st=${PIPESTATUS[1]} expect "broken pipe" 1 $'y\r' "$wfail$epipe"$'\r\n'
  ;;
big)
  # Counts past 2^32 in one line of 8.6 GB, in constant memory; bounded by CTest alone.
  w=$(printf 'a %.0s' {1..1000})
  yes "$w" | tr -d '\n' | head -c 8589934594 | (ulimit -v $mem; exec "${run[@]}" 2>"$err") |
    tail -c 28 >"$so"
  st=${PIPESTATUS[3]} expect big 0 $'a \nlines 1\nwords 4294967297\n' ''
  ;;
traced)
  # strace needs ptrace, which some containers forbid.
  # Only that is a reason to skip: a strace that is missing or broken fails.
  if ! why=$(strace -o /dev/null true 2>&1); then
    case $why in
    *ptrace*) echo "skipped: strace cannot trace here: ${why##*$'\n'}"; exit 77 ;;
    *) echo "strace fails: ${why##*$'\n'}"; exit 1 ;;
    esac
  fi
  # tally on $in, its reads of it and its writes to $to (or $so) and $err traced; the
  # sanitizers' own calls go elsewhere, and their leak check cannot run under a tracer.
  traced() {
    local to=${to:-$so}
    ASAN_OPTIONS=detect_leaks=0 timeout -k 1 $wait strace -o "$trace" -P "$in" -P "$to" \
      -P "$err" -e trace=read,write,writev "$@" "${run[@]}" ${args-} <"$in" >"$to" 2>"$err"
  }
  # The order of tally's writes: 2 to standard error, 1 to standard output (a run of them
  # once: how a correct tally batches its output is its own affair), x one there that failed.
  # Each message is one write, and no write to standard error goes missing from $err.
  order() {
    local said
    said=$(grep -c '^writev\?(2, .*) = [0-9]' "$trace")
    [ "$said" = "$(wc -l <"$err")" ] || echo -n "$said writes for the lines of "
    awk '/^writev?\(2,/ { w = w " 2"; last = "" }
      /^writev?\(1,.* = -1 E[A-Z]+ / { w = w " x"; last = ""; next }
      /^writev?\(1,/ && last != "1" { w = w " 1"; last = "1" }
      END { print substr(w, 2) }' "$trace"
  }
  # A failed write is told once, and nothing more goes to standard output.
  printf 'hi\nthere\n' >"$in"
  traced -e inject=write:error=EIO:when=1
  expect "write error, once" 1 '' "$wfail$eio"$'\n' 'x 2'
  # The same where a line outgrows the output buffer before its end.
  head -c 10000 /dev/zero | tr '\0' x >"$in"
  to=/dev/full traced
  expect "write error mid-line" 1 '' "$wfail$enospc"$'\n' 'x 2'
  # Ignored arguments are told before anything is read.
  printf '%s\nb\n' "$long" >"$in"
  args=x traced
  expect "arguments, long line" 0 "$long"$'\nb\nlines 2\nwords 2\n' "$ignoring" '2 1'
  check "notice before reading" 'write(2,' "$(head -c 8 "$trace")"
  # A read error ends the input: what was read of a line before it is echoed and counted,
  # then come the totals and the error.
  # The first read takes all of $in (the C++ libraries read 4 KiB or more at once); the second
  # fails while its last line is unfinished.
  printf 'one\ntwo thr' >"$in"
  traced -e inject=read:error=EIO:when=2
  expect "read error mid-line" 1 $'one\ntwo thr\nlines 2\nwords 3\n' \
    "$rfail$eio"$'\n' '1 2'
  # The same for a line read in pieces, whose echo then goes out as the buffer fills.
  printf 'one\n%s y' "$long" >"$in"
  traced -e inject=read:error=EIO:when=2
  expect "read error, long line" 1 "one"$'\n'"$long"$' y\nlines 2\nwords 3\n' \
    "$rfail$eio"$'\n' '1 2'
  # A notice that failed neither silences the error that follows nor lends it its reason.
  args=x traced -e inject=write:error=ENOSPC:when=1 -e inject=read:error=EIO:when=2
  expect "notice lost, read error" 1 "one"$'\n'"$long"$' y\nlines 2\nwords 3\n' \
    "$rfail$eio"$'\n' '2 1 2'
  ;;
posix)
  # Each line comes back before the next is written, one read in pieces too (a word across
  # the first piece's end); an argument changes nothing but a notice.
  coproc "$t" x 2>"$err"
  # bash closes a coproc's descriptors once it exits: keep copies to read the totals.
  exec {rd}<&"${COPROC[0]}" {wr}>&"${COPROC[1]}" {COPROC[0]}<&- {COPROC[1]}>&-
  pid=$COPROC_PID
  trap '' PIPE # a tally that ended early must fail the checks, not end this script
  for line in 'first line' '' 'third  line ' "${long:3} across $long$long"; do
    printf '%s\n' "$line" >&$wr
    IFS= read -r -t $wait got <&$rd
    check "echo of a ${#line}-byte line" "0 $line" "$? $got"
  done
  trap - PIPE
  exec {wr}>&-
  check totals $'lines 4\nwords 7\nstatus 0' "$(timeout $wait cat <&$rd; echo "status $?")"
  wait $pid
  check "streaming status, notice once" "0 $ignoring" "$? $(cat "$err")"$'\n'
  # The notice comes before anything else: first in a pipe that takes both streams.
  check "notice first" "$ignoring" "$(echo hi | "$t" x 2>&1 | head -n 1)"$'\n'

  echo hi | "$t" a b >/dev/full 2>"$err"
  expect "/dev/full, arguments" 1 '' "$ignoring$wfail$enospc"$'\n'
  "$t" </dev/null >/dev/full 2>"$err" # only the totals to write
  expect "/dev/full, no lines" 1 '' "$wfail$enospc"$'\n'
  # When the totals cannot go out, that is the error to tell, not the read before it.
  "$t" <. >/dev/full 2>"$err"
  expect "read and write errors" 1 '' "$wfail$enospc"$'\n'
  echo hi | "$t" >&- 2>"$err"
  expect "closed stdout" 1 '' "$wfail$ebadf"$'\n'
  "$t" <. >"$so" 2>"$err"
  expect directory 1 $'lines 0\nwords 0\n' "$rfail$eisdir"$'\n'
  # A notice that cannot be written changes nothing.
  printf '%s\nb\n' "$long" | "$t" x >"$so" 2>&-
  expect "closed stderr" 0 "$long"$'\nb\nlines 2\nwords 2\n' ''
  # Non-blocking input with nothing to read yet is an error, not the end: a writer is there.
  mkfifo "$tmp/fifo"
  exec {fifo}<>"$tmp/fifo"
  printf 'one\ntw' >&$fifo
  nonblock='fcntl(STDIN, F_SETFL, O_NONBLOCK) or die "fcntl: $!"; exec @ARGV or die'
  perl -MFcntl -e "$nonblock" "$t" <&$fifo >"$so" 2>"$err"
  expect "non-blocking input" 1 $'one\ntw\nlines 2\nwords 2\n' \
    "$rfail$eagain"$'\n'
  exec {fifo}>&-
  # A reader that leaves early ends tally quietly by SIGPIPE, as it does cat; with SIGPIPE
  # ignored, the write fails, and tally says so.
  yes 2>/dev/null | env --default-signal=PIPE "$t" 2>"$err" | head -c 2 >"$so"
  st=${PIPESTATUS[1]} expect "broken pipe" 141 $'y\n' ''
  yes 2>/dev/null | env --ignore-signal=PIPE "$t" 2>"$err" | head -c 2 >"$so"
  st=${PIPESTATUS[1]} expect "broken pipe, SIGPIPE ignored" 1 $'y\n' \
    "$wfail$epipe"$'\n'
  ;;
*) echo "shell.sh: no mode $mode" >&2; exit 2 ;;
esac
echo "$passes passed, $fails failed"
[ "$fails" = 0 ]
