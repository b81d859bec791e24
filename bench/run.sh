#!/bin/bash
# Times tally against line-flushing peers and the one-write-per-line floor.
# Usage: [TALLY=path] bench/run.sh [--quick | --callgrind]
#   --quick       tiny corpora, a few seconds: CI runs it to keep it working
#   --callgrind   instructions per line instead of times: the same on every run
#   TALLY=path    the binary to time (default build/tally)
# Needs hyperfine, /usr/bin/time, python3 and, for --callgrind, valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
case $mode in
--quick) nwords=2000 nlong=50 nlog=1000 big=$((1 << 20)) limit=20 runs=(--runs 2) ;;
'' | --callgrind) nwords=1000000 nlong=20000 nlog=200000 big=$((1 << 30)) limit=120 runs=(--warmup 2 --runs 15) ;;
*) echo "usage: bench/run.sh [--quick | --callgrind]" >&2; exit 2 ;;
esac
tally=$(realpath "${TALLY:-build/tally}")
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
cc -O2 -o "$tmp/floor" bench/floor.c

# Word-like text from a fixed-seed generator (Park-Miller, exact in any awk's doubles):
# lines of 0 to 79 bytes, of 200 to 2,000, or log lines of 100 to 250 (a time, a level and a
# source, then words), the common case on real systems.
gen() { # lines min max [log]
  awk -v lines="$1" -v min="$2" -v max="$3" -v logs="${4:-}" 'BEGIN {
    syl = "kalomineruhasativezopadofigubajequxi"; x = 1
    split("INFO INFO INFO DEBUG WARN ERROR", lvl, " ")
    for (i = 0; i < lines; i++) {
      x = x * 16807 % 2147483647; n = min + x % (max - min + 1); s = ""
      if (logs) {
        t = i * 7 + x % 7
        s = sprintf("2026-12-09T%02d:%02d:%02d.%03dZ %-5s worker[%d]:", t / 3600000 % 24,
          t / 60000 % 60, t / 1000 % 60, t % 1000, lvl[1 + x % 6], 100 + x % 900)
      }
      while (1) {
        x = x * 16807 % 2147483647
        t = substr(syl, 1 + 2 * (x % 18), 2 + 2 * (x % 3))
        if (s != "") t = s " " t
        if (length(t) > n) break
        s = t
      }
      print s
    }
  }'
}
gen "$nwords" 0 79 >"$tmp/words.txt"
gen "$nlong" 200 2000 >"$tmp/long.txt"
gen "$nlog" 100 250 log >"$tmp/log.txt"

# The peers count words as tally does, split at the space alone (awk's default and Python's
# split() take tabs for separators too). Split at runs of spaces, a leading or trailing run
# leaves an empty field at that end.
# On one line: hyperfine's CSV would quote a command over two, and the table split it.
awk_prog='{ print; fflush(); if (NF) w += NF - ($1 == "") - ($NF == "") }'
awk_prog+=' END { print "lines " NR; print "words " w + 0 }'
awk=(awk -F ' +' "$awk_prog")
py_prog='import sys
out = sys.stdout.buffer
n = w = 0
for line in sys.stdin.buffer:
    out.write(line if line.endswith(b"\n") else line + b"\n"); out.flush(); n += 1
    f = line.rstrip(b"\n").split(b" "); w += len(f) - f.count(b"")
print("lines", n); print("words", w)'
printf '%s\n' "$py_prog" >"$tmp/peer.py"

# Or their times would not be for tally's job: their totals must be tally's on text where
# tabs, runs of spaces and a carriage return would tell them apart.
{
  printf 'a\tb  c \n\n   \n\tx\t\n \t \nd \r\n'
  head -n 500 "$tmp/words.txt" | sed 's/ /\t/2; s/ /   /3; s/^/ /'
  printf 'no line feed'
} >"$tmp/tabs.txt"
for text in "$tmp/tabs.txt" /dev/null; do # and with no words at all
  want=$("$tally" <"$text" 2>/dev/null | tail -n 2 | tr '\n' ' ')
  for peer in awk python; do
    if [ $peer = awk ]; then cmd=("${awk[@]}"); else cmd=(/usr/bin/python3 "$tmp/peer.py"); fi
    got=$("${cmd[@]}" <"$text" | tail -n 2 | tr '\n' ' ')
    [ "$got" = "$want" ] || { echo "bench: $peer counts ${got% }, tally ${want% }" >&2; exit 1; }
  done
done

# User-space instructions per line: a run on the corpus less a run on empty input, which
# leaves out start-up and exit. The kernel's share, the write itself, is not counted.
if [ "$mode" = --callgrind ]; then
  insns() { # command... < input
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
      sed -n 's/^==[0-9]*== Collected : //p'
  }
  echo "corpus tool instructions_per_line"
  for cmd in "$tmp/floor" "$tally"; do
    zero=$(insns "$cmd" </dev/null)
    for corpus in words long log; do
      n=$(wc -l <"$tmp/$corpus.txt") all=$(insns "$cmd" <"$tmp/$corpus.txt")
      awk -v c=$corpus -v t="${cmd##*/}" -v a="$all" -v z="$zero" -v n="$n" \
        'BEGIN { printf "%s %s %.1f\n", c, t, (a - z) / n }'
    done
  done
  exit
fi

echo "corpus sink tool median_ms ratio_to_floor"
for corpus in words long log; do
  in="$tmp/$corpus.txt"
  for sink in null pipe; do
    if [ $sink = null ]; then to='> /dev/null'; else to='| cat > /dev/null'; fi
    cmds=("$tmp/floor < $in $to" "$tally < $in $to" "${awk[*]@Q} < $in $to"
      "/usr/bin/python3 $tmp/peer.py < $in $to")
    names=(floor tally awk python)
    # grep sees a /dev/null output and stops reading at once: only the pipe is fair.
    if [ $sink = pipe ]; then cmds+=("grep --line-buffered '' < $in $to"); names+=(grep); fi
    hyperfine "${runs[@]}" --style none --export-csv "$tmp/h.csv" "${cmds[@]}" \
      >/dev/null 2>"$tmp/err" || { cat "$tmp/err" >&2; exit 1; }
    # CSV columns: command,mean,stddev,median,user,system,min,max (seconds).
    tail -n +2 "$tmp/h.csv" | cut -d, -f4 | paste -d' ' <(printf '%s\n' "${names[@]}") - |
      awk -v c=$corpus -v s=$sink 'NR == 1 { f = $2 }
        { printf "%s %s %s %.1f %.2f\n", c, s, $1, $2 * 1000, $2 / f }'
  done
done

echo
echo "peak resident memory on one line of $big bytes"
echo "tool max_rss_kib (exit status if not 0)"
line() (
  set +o pipefail # yes and tr end by SIGPIPE when head has enough
  yes 'lorem ipsum dolor sit amet ' | tr -d '\n' | head -c "$big"
)
for t in tally awk python; do
  case $t in
  tally) cmd=("$tally") ;;
  awk) cmd=("${awk[@]}") ;;
  # Python holds the line and its split words, 12 GB for 1 GiB: cap it, so that a smaller
  # machine does not kill it, or something else, for want of memory.
  python) cmd=(bash -c 'ulimit -v $((4 << 20)); exec /usr/bin/python3 "$1"' - "$tmp/peer.py") ;;
  esac
  # A peer that holds the whole line may take very long over it: stop it, keep its peak. A
  # status other than 0 says that it did not finish (124: stopped; python: at its cap).
  status=
  line | /usr/bin/time -f %M -o "$tmp/rss" timeout "$limit" "${cmd[@]}" >/dev/null \
    2>&1 || status=" (status $?)"
  echo "$t $(tail -n 1 "$tmp/rss")$status"
done
