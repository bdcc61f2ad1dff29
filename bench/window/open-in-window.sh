#!/usr/bin/env bash
# Opens generated projects through the real program's window under Xvfb and measures
# the program from outside: the CPU time and the wall time from Enter in the open
# dialog until the program is idle again, and its peak memory (VmHWM). Each size gets
# a program of its own, started afresh.
#   open-in-window.sh VIMSEL VIMSEL_BIG_PROJECT VIMSEL_WINDOW_CLOCK OUT_DIR [BLOCKS...]
# prints a line per size: "blocks=… cpu_ms=… wall_ms=… peak_mb=…".
set -eEuo pipefail
if [ $# -lt 4 ]; then
  sed -n '2,/^set /p' "$0" | sed '$d' >&2
  exit 2
fi
VIMSEL=$1 BIG=$2 CLOCK=$3 OUT=$4
shift 4
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(1000 10000)
CASE=open-in-window TIMEOUT=${TIMEOUT:-300}
source "$(dirname "$0")/../../tests/e2e/harness.sh"

program_copy "$VIMSEL" /dev/ttyVIMSEL0
start_xvfb
for n in "${SIZES[@]}"; do
  STEP="writing a project of $n blocks"
  "$BIG" "$n" "$WORK/big$n.vzl" >/dev/null
  start_program "$PROG/vimsel"
  "$CLOCK" --watch "$APP_PID" >/dev/null
  STEP="opening $n blocks"
  xdotool key ctrl+o
  wait_for_dialog "the open dialog"
  xdotool type --delay 10 "$WORK/big$n.vzl"
  "$CLOCK" --idle-ms 300 --watch "$APP_PID" >/dev/null
  before=$("$CLOCK" --idle-ms 0 --watch "$APP_PID" | sed 's/.*cpu_ms=\([0-9]*\).*/\1/')
  # VIMSEL_PERF=FILE records where the time goes while the project opens.
  if [ -n "${VIMSEL_PERF:-}" ]; then
    perf record ${VIMSEL_PERF_ARGS:--g} -o "$VIMSEL_PERF-$n" -p "$APP_PID" >/dev/null 2>&1 &
    PERF_PID=$!
    sleep 0.5
  fi
  xdotool key Return
  after=$("$CLOCK" --idle-ms 1000 --watch "$APP_PID")
  cpu=$(echo "$after" | sed 's/.*cpu_ms=\([0-9]*\).*/\1/')
  peak=$(echo "$after" | sed 's/.*peak_kb=\([0-9]*\).*/\1/')
  busy=$(echo "$after" | sed 's/.*busy_ms=\([0-9]*\).*/\1/')
  if [ -n "${VIMSEL_PERF:-}" ]; then kill -INT "$PERF_PID"; wait "$PERF_PID" || true; fi
  shot "opened-$n"
  [ "$((cpu - before))" -gt 0 ] || fail "opening used no CPU time"
  echo "blocks=$n cpu_ms=$((cpu - before)) wall_ms=$busy peak_mb=$((peak / 1024))"
  kill "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
done
PASSED=1
