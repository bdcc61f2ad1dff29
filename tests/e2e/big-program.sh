#!/usr/bin/env bash
# A big program in the real window under Xvfb, with real X input: a generated project
# of BLOCKS blocks (100,000 unless given) is opened through the open dialog. While it
# opens, the status bar's result panel (found by its name over AT-SPI) is painted with
# the progress, and afterwards says again what it said before. The wheel then scrolls
# far down the program, and the blocks that come into view are drawn there.
#
#   big-program.sh VIMSEL VIMSEL_BIG_PROJECT OUT_DIR [BLOCKS]
set -eEuo pipefail
if [ $# -lt 3 ] || [ $# -gt 4 ]; then
  echo "usage: $0 VIMSEL VIMSEL_BIG_PROJECT OUT_DIR [BLOCKS]" >&2
  exit 2
fi
CASE=big-program VIMSEL=$1 BIG=$2 OUT=$3 BLOCKS=${4:-100000}
TIMEOUT=${TIMEOUT:-60}
source "$(dirname "$0")/harness.sh"

"$BIG" "$BLOCKS" "$WORK/big.vzl" >/dev/null
program_copy "$VIMSEL" /dev/ttyUSB0
start_xvfb
start_screen_reader_bus
start_program "$PROG/vimsel"

# Pixels of the status bar's red text inside a screen rectangle.
red_pixels() { # x y width height
  import -display "$DISPLAY" -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- 2>/dev/null \
    | awk -F'[()]' 'NR > 1 { split($2, c, ","); if (c[1] > 180 && c[2] < 90 && c[3] < 90) n++ } END { print n + 0 }'
}
# Pixels that are not the bare canvas's grey inside a screen rectangle.
drawn_pixels() { # x y width height
  import -display "$DISPLAY" -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- 2>/dev/null \
    | awk -F'[()]' 'NR > 1 { split($2, c, ","); if (!(c[1] == 192 && c[2] == 192 && c[3] == 192)) n++ } END { print n + 0 }'
}

STEP="finding the result panel"
read -r PX PY PW PH <<<"$(atspi extents "Αποτέλεσμα")" || fail "no result panel called Αποτέλεσμα"
[ "$(red_pixels "$PX" "$PY" "$PW" "$PH")" -lt 20 ] || fail "the result panel shows a text before opening"

STEP="opening $BLOCKS blocks"
xdotool key ctrl+o
wait_for_dialog "the open dialog"
xdotool type --delay 10 "$WORK/big.vzl"
xdotool key Return
seen=0
deadline=$((SECONDS + TIMEOUT))
while [ $SECONDS -lt $deadline ]; do
  if [ "$(red_pixels "$PX" "$PY" "$PW" "$PH")" -ge 20 ]; then
    seen=1
    shot "progress"
    break
  fi
  sleep 0.05
done
[ "$seen" = 1 ] || fail "no progress was painted in the status bar while the program opened"

STEP="waiting for the program to be open"
opened() { [ "$(red_pixels "$PX" "$PY" "$PW" "$PH")" -lt 20 ]; }
wait_for "the result panel to be empty again" opened
# The window answers again: a screen reader finds the canvas.
atspi find "Περιοχή προγράμματος" >/dev/null || fail "the window does not answer after opening"
# The code page's sketch of the new program is the last to come.
sleep 1
shot "opened"

STEP="scrolling far down with the wheel"
read -r CX CY CW CH <<<"$(atspi extents "Περιοχή προγράμματος")" || fail "no canvas"
xdotool mousemove $((CX + CW / 2)) $((CY + CH / 2))
for _ in $(seq 40); do xdotool click 5; done
sleep 1
shot "scrolled"
drawn=$(drawn_pixels $((CX + 10)) $((CY + 10)) $((CW - 40)) $((CH - 40)))
# The blocks fill much of the view; a bare canvas has only the trash can's few pixels.
[ "$drawn" -gt $((CW * CH / 10)) ] || fail "after scrolling the canvas shows no blocks ($drawn drawn pixels)"

PASSED=1
