#!/usr/bin/env bash
# A pupil's first program, driven through the real program with real X input events:
# under Xvfb, the start block, a repeat loop and a wait are dragged from the palette
# onto the canvas so that they snap together, the loop's count is typed, the project
# is saved with Ctrl+S through the save dialog, and vimsel-sketch must turn the saved
# file into the expected sketch.
#
#   pupil-session.sh normal|maximised VIMSEL VIMSEL_SKETCH EXPECTED_SKETCH OUT_DIR
#
# normal:    the window as the program opens it (no stored settings, 1000×750);
# maximised: the window first fills the whole screen and the blocks go near the
#            bottom-right corner of the canvas.
#
# Screenshots of every step go to OUT_DIR/shots; they are kept when the test fails
# (or always with VIMSEL_E2E_KEEP=1), and removed with the rest of OUT_DIR otherwise.
set -eEuo pipefail

# ---- Coordinates -----------------------------------------------------------------
# All in pixels relative to the window's top-left corner, measured with DejaVu fonts
# (fontconfig's stand-in for the Tahoma the program asks for). The palette shows its
# first tab ("Γενικές Εντολές") after start-up and does not move when the window
# grows.
SCREEN_W=1280 SCREEN_H=900

# Where the pointer grabs each block in the palette: on its text, left of any number;
# 10 px further left is the block's fill.
PALETTE_START=(30 160)   # "Έναρξη προγράμματος"
PALETTE_LOOP=(30 337)    # "Επανάλαβε 5 φορές"
PALETTE_WAIT=(30 673)    # "Περίμενε 1000 χιλιοστά δευτερολέπτου"

# Where the pointer lets the start block go, per case. In a 1000×750 window the canvas
# spans about x 328..983, y 92..689; in the full 1280×900 screen about x 328..1262,
# y 92..839. The maximised drop puts the whole program (about 330×165 px) within about
# 20 px of the canvas's right edge and 10 px of its bottom edge; each block stays
# inside the visible canvas while it is dragged, so the canvas does not scroll.
DROP_START_NORMAL=(450 160)
DROP_START_MAXIMISED=(925 673)

# The rest is relative to the start block's drop point. The palette blocks are grabbed
# 15 px right of and 8 px (start) or 17 px (loop, wait) below their top-left corners.
# The loop is let go about 6 px right of and 12 px below its place under the start
# block, the wait about 5 px right of and 4 px below its place in the loop's body:
# both must snap into place.
DROP_LOOP=(6 55)
DROP_WAIT=(25 82)
LOOP_NUMBER=(86 44)      # the loop's count editor once the loop has snapped
# Points inside each block's fill once the blocks have snapped.
PROBE_START=(-11 -2)
PROBE_LOOP=(-11 34)
PROBE_WAIT=(9 69)
# The blocks' fill colours and the bare canvas.
START_COLOUR="0,128,0" LOOP_COLOUR="128,0,0" WAIT_COLOUR="128,0,255"
# The start block's top-left corner on the canvas, as saved in the file, lies this far
# up and left of the pointer.
START_CORNER_FROM_DROP=(344 103)

DRAG_STEPS=10
STEP_DELAY=0.05
TIMEOUT=15   # seconds for each wait

# ---- Arguments and scratch space ----------------------------------------------------
if [ $# -ne 5 ]; then
  echo "usage: $0 normal|maximised VIMSEL VIMSEL_SKETCH EXPECTED_SKETCH OUT_DIR" >&2
  exit 2
fi
CASE=$1 VIMSEL=$2 SKETCH_TOOL=$3 EXPECTED=$4 OUT=$5
case "$CASE" in
  normal) DROP_START=("${DROP_START_NORMAL[@]}") ;;
  maximised) DROP_START=("${DROP_START_MAXIMISED[@]}") ;;
  *) echo "unknown case '$CASE' (normal or maximised)" >&2; exit 2 ;;
esac

source "$(dirname "$0")/harness.sh"
PROJECT=$WORK/pupil.vzl
# A port of its own, so that no machine's lack of serial ports interrupts the session.
program_copy "$VIMSEL" /dev/ttyVIMSEL0
start_xvfb
start_program "$PROG/vimsel"

if [ "$CASE" = maximised ]; then
  STEP="filling the screen with the window"
  # No window manager runs under Xvfb, so the window is sized and placed directly.
  xdotool windowsize "$WIN" "$SCREEN_W" "$SCREEN_H" windowmove "$WIN" 0 0
  fills_screen() {
    local WIDTH=0 HEIGHT=0 X=0 Y=0
    eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=' || true)"
    [ "$X,$Y,$WIDTH,$HEIGHT" = "0,0,$SCREEN_W,$SCREEN_H" ]
  }
  wait_for "the window to fill the screen" fills_screen
fi

window_geometry
echo "[$CASE] window $WIN at $WIN_X,$WIN_Y size ${WIN_W}x${WIN_H} on display $DISPLAY"
shot "started"

# A point relative to the start block's drop point, as window coordinates.
from_start() { echo $((DROP_START[0] + $1)) $((DROP_START[1] + $2)); }

# ---- The pupil's session ------------------------------------------------------------
STEP="waiting for the palette"
# Each block's fill left of its text: a changed layout fails here, not in a drag.
expect_colour "the palette's start block" $((PALETTE_START[0] - 10)) "${PALETTE_START[1]}" "$START_COLOUR"
expect_colour "the palette's repeat loop" $((PALETTE_LOOP[0] - 10)) "${PALETTE_LOOP[1]}" "$LOOP_COLOUR"
expect_colour "the palette's wait" $((PALETTE_WAIT[0] - 10)) "${PALETTE_WAIT[1]}" "$WAIT_COLOUR"

STEP="dragging the start block onto the canvas"
drag "${PALETTE_START[@]}" "${DROP_START[@]}"
expect_colour "the start block dropped on the canvas" $(from_start "${PROBE_START[@]}") "$START_COLOUR"
shot "start-block"

STEP="dragging the repeat loop under the start block"
drag "${PALETTE_LOOP[@]}" $(from_start "${DROP_LOOP[@]}")
expect_colour "the loop snapped under the start block" $(from_start "${PROBE_LOOP[@]}") "$LOOP_COLOUR"
shot "loop"

STEP="dragging the wait into the loop's body"
drag "${PALETTE_WAIT[@]}" $(from_start "${DROP_WAIT[@]}")
expect_colour "the wait snapped into the loop's body" $(from_start "${PROBE_WAIT[@]}") "$WAIT_COLOUR"
shot "wait"

STEP="typing the loop's count"
read -r x y < <(from_start "${LOOP_NUMBER[@]}")
xdotool mousemove "$(abs_x "$x")" "$(abs_y "$y")" click 1
sleep 0.2
xdotool key ctrl+a
xdotool type --delay 50 3
sleep 0.2
shot "count-typed"

STEP="saving with Ctrl+S"
xdotool key ctrl+s
wait_for_dialog "the save dialog (a project without a name asks for one)"
shot "save-dialog"
# The file name field has the focus when the dialog opens.
xdotool type --delay 20 "$PROJECT"
sleep 0.2
shot "file-name-typed"
xdotool key Return

STEP="waiting for the saved project"
# The program file is written first, then the devices and the variables files.
saved() { [ -s "$PROJECT" ] && [ -s "${PROJECT%.vzl}.adv" ] && [ -s "${PROJECT%.vzl}.var" ]; }
wait_for "$PROJECT and its .adv and .var files" saved
wait_for_dialog_closed "the save dialog to close"
sleep 0.2
shot "saved"

# ---- What was saved ---------------------------------------------------------------
STEP="checking where the start block landed"
# The start block is the only one with command 1; its saved corner is canvas-relative.
read -r left top < <(awk '
  /^object /            { l = ""; t = ""; cmd = "" }
  /^  Left = /          { l = $3 }
  /^  Top = /           { t = $3 }
  /^  CommndID = 1\r?$/ { cmd = 1 }
  /^  prototype = False/ { if (cmd) { sub(/\r/, "", l); sub(/\r/, "", t); print l, t; exit } }
' "$PROJECT")
[ -n "${left:-}" ] || fail "no start block in the saved project"
want_left=$((DROP_START[0] - START_CORNER_FROM_DROP[0])) want_top=$((DROP_START[1] - START_CORNER_FROM_DROP[1]))
if [ $((left - want_left)) -lt -10 ] || [ $((left - want_left)) -gt 10 ] \
  || [ $((top - want_top)) -lt -10 ] || [ $((top - want_top)) -gt 10 ]; then
  fail "the start block was saved at $left,$top on the canvas, expected about $want_left,$want_top"
fi

STEP="generating the sketch"
"$SKETCH_TOOL" "$PROJECT" >"$WORK/sketch.ino" 2>"$WORK/sketch.log" \
  || fail "vimsel-sketch failed: $(cat "$WORK/sketch.log")"
if ! cmp -s "$EXPECTED" "$WORK/sketch.ino"; then
  diff -u --strip-trailing-cr "$EXPECTED" "$WORK/sketch.ino" >&2 || true
  fail "the sketch of the saved project differs from $EXPECTED (diff above, CRs ignored; the files must match byte for byte)"
fi

PASSED=1
echo "[$CASE] passed in ${SECONDS}s"
