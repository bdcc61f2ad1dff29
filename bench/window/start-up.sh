#!/usr/bin/env bash
# Start-up of the real program against a bare Qt main window with one label, side by
# side under one Xvfb: RUNS starts of each, alternating, each measured from outside
# (wall time until the window is mapped, CPU time and peak memory once idle). Prints
# the median of each and the program's ratio to the bare window.
#   start-up.sh VIMSEL VIMSEL_BARE_WINDOW VIMSEL_WINDOW_CLOCK OUT_DIR [RUNS]
set -eEuo pipefail
if [ $# -lt 4 ]; then
  sed -n '2,/^set /p' "$0" | sed '$d' >&2
  exit 2
fi
VIMSEL=$1 BARE=$2 CLOCK=$3 OUT=$4 RUNS=${5:-9}
CASE=start-up
source "$(dirname "$0")/../../tests/e2e/harness.sh"

program_copy "$VIMSEL" /dev/ttyVIMSEL0
start_xvfb
# Neither leaves stored settings behind for the next start to find.
for i in $(seq "$RUNS"); do
  "$CLOCK" -- "$BARE" >>"$WORK/bare.txt"
  "$CLOCK" -- "$PROG/vimsel" >>"$WORK/vimsel.txt"
done
median() { # FILE FIELD
  sed "s/.*$2=\([0-9.]*\).*/\1/" "$1" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}
for who in bare vimsel; do
  printf '%-7s shown_ms=%s cpu_ms=%s peak_mb=%s\n' "$who" "$(median "$WORK/$who.txt" shown_ms)" \
    "$(median "$WORK/$who.txt" cpu_ms)" "$(( $(median "$WORK/$who.txt" peak_kb) / 1024 ))"
done
awk -v a="$(median "$WORK/vimsel.txt" shown_ms)" -v b="$(median "$WORK/bare.txt" shown_ms)" \
  'BEGIN { printf "ratio   shown %.2f\n", a / b }'
awk -v a="$(median "$WORK/vimsel.txt" cpu_ms)" -v b="$(median "$WORK/bare.txt" cpu_ms)" \
  'BEGIN { printf "ratio   cpu   %.2f\n", a / b }'
PASSED=1
