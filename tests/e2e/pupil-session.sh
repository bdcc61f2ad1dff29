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
START_COLOUR="0,128,0" LOOP_COLOUR="128,0,0" WAIT_COLOUR="128,0,255" CANVAS_GREY="192,192,192"
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
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done

rm -rf "$OUT"
SHOTS=$OUT/shots WORK=$OUT/work
mkdir -p "$SHOTS" "$WORK/home" "$WORK/config" "$WORK/data" "$WORK/cache" "$WORK/runtime"
chmod 700 "$WORK/runtime"
PROJECT=$WORK/pupil.vzl

XVFB_PID="" APP_PID="" PASSED=0 SHOT_NO=0 STEP="starting"
cleanup() {
  trap - ERR
  if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; wait "$APP_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  if [ "$PASSED" = 1 ] && [ -z "${VIMSEL_E2E_KEEP:-}" ]; then
    rm -rf "$OUT"
  else
    echo "Screenshots of each step: $SHOTS" >&2
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
  echo "FAIL [$CASE] while $STEP: $*" >&2
  [ -z "$APP_PID" ] || kill -0 "$APP_PID" 2>/dev/null || echo "The program is no longer running." >&2
  shot "failure" || true
  if [ -s "$WORK/vimsel.log" ]; then
    echo "--- program output ---" >&2
    tail -n 40 "$WORK/vimsel.log" >&2
  fi
  exit 1
}
trap 'fail "command failed (line $LINENO): $BASH_COMMAND"' ERR

shot() {
  SHOT_NO=$((SHOT_NO + 1))
  import -display "$DISPLAY" -window root "$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NO" "$1")"
}

# Runs "$@" every 0.1 s until it succeeds; fails with the message after TIMEOUT.
wait_for() {
  local what=$1; shift
  local deadline=$((SECONDS + TIMEOUT))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "timed out after ${TIMEOUT}s waiting for $what"
    sleep 0.1
  done
}

# ---- X server and program -------------------------------------------------------
STEP="starting Xvfb"
# -displayfd lets the server pick a free display, so parallel runs never collide.
Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp \
  3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
display_ready() { [ -s "$WORK/display" ] && grep -q '^[0-9]' "$WORK/display"; }
wait_for "Xvfb to report its display" display_ready
export DISPLAY=":$(head -n 1 "$WORK/display")"

# A scratch home: no stored window geometry or file dialog history from earlier runs.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data \
  XDG_CACHE_HOME=$WORK/cache XDG_RUNTIME_DIR=$WORK/runtime
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_STYLE_OVERRIDE

STEP="starting the program"
"$VIMSEL" >"$WORK/vimsel.log" 2>&1 &
APP_PID=$!

# The main window is the largest visible window of the program (tooltips and, later,
# dialogs share its class name).
main_window() {
  local w best="" area=0 WIDTH HEIGHT
  for w in $(xdotool search --onlyvisible --classname vimsel 2>/dev/null || true); do
    WIDTH=0 HEIGHT=0  # a tooltip may be gone before its size is asked for
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=' || true)"
    if [ $((WIDTH * HEIGHT)) -gt $area ]; then area=$((WIDTH * HEIGHT)) best=$w; fi
  done
  [ -n "$best" ] && WIN=$best
}
window_shown() { kill -0 "$APP_PID" 2>/dev/null || fail "the program exited"; main_window; }
wait_for "the main window" window_shown

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

eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
WIN_X=$X WIN_Y=$Y
echo "[$CASE] window $WIN at $WIN_X,$WIN_Y size ${WIDTH}x${HEIGHT} on display $DISPLAY"
shot "started"

# ---- Input helpers ----------------------------------------------------------------
# Window-relative points become screen points.
abs_x() { echo $((WIN_X + $1)); }
abs_y() { echo $((WIN_Y + $1)); }

# Press, move in steps, release: a single jump is not a drag.
drag() {
  local x1 y1 x2 y2 i
  x1=$(abs_x "$1") y1=$(abs_y "$2") x2=$(abs_x "$3") y2=$(abs_y "$4")
  xdotool mousemove "$x1" "$y1"
  sleep "$STEP_DELAY"
  xdotool mousedown 1
  for ((i = 1; i <= DRAG_STEPS; i++)); do
    sleep "$STEP_DELAY"
    xdotool mousemove $((x1 + (x2 - x1) * i / DRAG_STEPS)) $((y1 + (y2 - y1) * i / DRAG_STEPS))
  done
  sleep "$STEP_DELAY"
  xdotool mouseup 1
}

pixel_at() { # x y (screen) → "r,g,b"
  import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null \
    | sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

# Waits until the window-relative point shows the colour.
expect_colour() { # what x y colour
  local x y seen="" hint=""
  x=$(abs_x "$2") y=$(abs_y "$3")
  local deadline=$((SECONDS + 5))
  while :; do
    seen=$(pixel_at "$x" "$y" || true)
    [ "$seen" = "$4" ] && return 0
    [ $SECONDS -lt $deadline ] || break
    sleep 0.1
  done
  [ "$seen" = "$CANVAS_GREY" ] && hint=" (bare canvas)"
  fail "$1 should show at $x,$y (rgb $4), found rgb $seen$hint"
}

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
# The dialog is the window that takes the keyboard focus from the main window.
dialog_focused() {
  DIALOG=$(xdotool getwindowfocus 2>/dev/null || true)
  [ -n "$DIALOG" ] && [ "$DIALOG" != "$WIN" ] && { xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | grep -qx "$DIALOG"
}
wait_for "the save dialog (a project without a name asks for one)" dialog_focused
sleep 0.3
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
dialog_gone() { ! { xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | grep -qx "$DIALOG"; }
wait_for "the save dialog to close" dialog_gone
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
