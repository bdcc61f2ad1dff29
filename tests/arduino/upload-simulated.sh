#!/usr/bin/env bash
# Uploads the blink example to a simulated Uno with any uploader, and checks that
# the board then runs it.
#
# usage: upload-simulated.sh <board-harness> <bootloader.hex> <command> [<arg>...]
#
#   <board-harness>   the vimsel_simboard program (build/tests/vimsel_simboard)
#   <bootloader.hex>  Optiboot built from Debian's optiboot.c
#                     (build/tests/optiboot_atmega328.hex)
#   <command> <arg>…  the upload, run as given; every "@PORT@" in an argument is
#                     replaced by the simulated board's serial port, for example
#                       avrdude -C/etc/avrdude.conf -patmega328p -carduino -P@PORT@ \
#                               -b115200 -D -Uflash:w:blink.ino.hex:i
#                       arduino --upload --board arduino:avr:uno --port @PORT@ … Output/Output.ino
#
# Environment: UPLOAD_TIMEOUT, seconds the command may take (default 120; avrdude
# needs about 56 s to give up on a board that does not answer).
#
# The board gets a fresh port (a link to a pseudo-terminal in a new temporary folder)
# and starts in its bootloader; opening the port resets it, as the DTR line of a real
# Uno does. The test passes when the command succeeds and the uploaded sketch then
# drives pin 13 (PB5) high at once and toggles it every 500 ms +- 1 ms, at least
# three times. Exit 0 on success, 1 with the reason on standard error otherwise.
set -uo pipefail

if [ $# -lt 3 ]; then
  sed -n '2,/^set /p' "$0" | sed '$d' >&2
  exit 2
fi
harness="$1" bootloader="$2"
shift 2
timeout_s="${UPLOAD_TIMEOUT:-120}"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
[ -x "$harness" ] || fail "no board harness at $harness (is simavr installed and the project built?)"
[ -f "$bootloader" ] || fail "no bootloader at $bootloader (is gcc-avr installed and the project built?)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vimsel-upload.XXXXXX")
port="$work/ttySIM"
log="$work/board.log"
board_pid=
cleanup() {
  [ -n "$board_pid" ] && kill "$board_pid" 2>/dev/null && wait "$board_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The sketch runs 3 simulated seconds after it starts; the board gives up on its own
# a while after the uploader's time is over.
"$harness" --bootloader "$bootloader" --port "$port" --seconds 3 --timeout $((timeout_s + 30)) >"$log" 2>&1 &
board_pid=$!
for _ in $(seq 100); do
  grep -q '^ready ' "$log" && break
  kill -0 "$board_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q '^ready ' "$log" || { cat "$log" >&2; fail "the simulated board did not come up"; }

args=()
for a in "$@"; do
  args+=("${a//@PORT@/$port}")
done
echo "+ ${args[*]}"
t0=$(date +%s.%N)
timeout "$timeout_s" "${args[@]}"
rc=$?
echo "upload command: exit $rc after $(awk "BEGIN { printf \"%.1f\", $(date +%s.%N) - $t0 }") s"

board_events() {
  echo "simulated board:"
  grep -v '^pin ' "$log" | sed 's/^/  /'
}
if [ $rc -eq 124 ]; then
  board_events
  fail "the upload command did not finish within $timeout_s s"
elif [ $rc -ne 0 ]; then
  board_events
  grep -q '^open ' "$log" || fail "the upload command failed (exit $rc) and never opened the port"
  fail "the upload command failed (exit $rc)"
fi

# The sketch starts a few milliseconds after the upload ends; 3 simulated seconds
# take about a second here.
for _ in $(seq 300); do
  kill -0 "$board_pid" 2>/dev/null || break
  grep -q '^end ' "$log" && break
  sleep 0.1
done
board_events
grep -q '^open ' "$log" || fail "the upload command succeeded but never opened the port $port"
grep -q '^start ' "$log" || fail "the board was reset but no uploaded sketch started"
grep -q '^end ran ' "$log" || fail "the sketch did not run its 3 simulated seconds"

awk '
  $1 == "pin" && $2 == "B5" { n++; t[n] = $3; v[n] = $4 }
  END {
    if (n == 0) { print "FAILED: pin 13 never changed after the sketch started" > "/dev/stderr"; exit 1 }
    if (v[1] != 1 || t[1] > 5) { printf "FAILED: pin 13 did not go high at start (first change to %d at %.3f ms)\n", v[1], t[1] > "/dev/stderr"; bad++ }
    for (i = 2; i <= n; i++) {
      d = t[i] - t[i-1]
      printf "pin 13: %.3f ms -> %d (after %.3f ms)\n", t[i], v[i], d
      if (v[i] == v[i-1]) { print "FAILED: the level did not alternate" > "/dev/stderr"; bad++ }
      if (d < 499 || d > 501) { print "FAILED: interval not 500 +- 1 ms" > "/dev/stderr"; bad++ }
    }
    if (n < 4) { printf "FAILED: pin 13 toggled %d times, not at least 3\n", n - 1 > "/dev/stderr"; bad++ }
    exit bad > 0
  }' "$log"
