#!/usr/bin/env bash
# The code beside the blocks in the real program under Xvfb, with real X input. The
# start block, a repeat loop and a wait are dragged from the palette so that they
# snap together; without pressing "Αποστολή στο Arduino" the code page holds their
# sketch. "Προβολή" → "Κώδικας δίπλα στα blocks" shows it beside the canvas too;
# pointing at the loop marks its lines there; a click on the wait's line outlines the
# wait in orange; Ctrl+R checks the program with the stand-in IDE (tests/data/
# stand-in-ide, set in the program's "Options.ini"): the IDE is asked to verify, not
# to upload, and the Greek result comes. The code is read as a screen reader reads it.
#
#   code-beside-blocks.sh VIMSEL STAND_IN_IDE_FOLDER OUT_DIR [SIDE_VIEW_PNG]
#
# SIDE_VIEW_PNG, when given, receives a picture of the window with the code beside the
# blocks and the loop's lines marked (docs/code-beside-blocks.png).
set -eEuo pipefail

# Window-relative points (DejaVu fonts, the window as the program opens it, 1000×750).
# The palette and the drops are those of pupil-session.sh.
PALETTE_START=(30 160)   # "Έναρξη προγράμματος"
PALETTE_LOOP=(30 337)    # "Επανάλαβε 5 φορές"
PALETTE_WAIT=(30 673)    # "Περίμενε 1000 χιλιοστά δευτερολέπτου"
DROP_START=(450 160)
DROP_LOOP=(456 215)      # 6 px right of and 12 px below its place under the start
DROP_WAIT=(475 242)      # in the loop's body
PROBE_START=(439 158)    # points inside each block's fill once they have snapped
PROBE_LOOP=(439 194)
PROBE_WAIT=(459 229)
START_COLOUR="0,128,0" LOOP_COLOUR="128,0,0" WAIT_COLOUR="128,0,255"
CANVAS=(330 95 380 590)  # x y width height of the canvas left of the code
SIDE=(735 95 245 590)    # x y width height of the code beside it (without its scroll bar)
MARK="255,235,140"       # the lines of the block pointed at
HIGHLIGHT="255,140,0"    # the outline of the block a line points at
SIDE_VIEW="Κώδικας δίπλα στα blocks"

if [ $# -lt 3 ] || [ $# -gt 4 ]; then
  echo "usage: $0 VIMSEL STAND_IN_IDE_FOLDER OUT_DIR [SIDE_VIEW_PNG]" >&2
  exit 2
fi
CASE=code-beside-blocks VIMSEL=$1 IDE=$(cd "$2" && pwd) OUT=$3 DOC_SHOT=${4:-}

source "$(dirname "$0")/harness.sh"

STEP="preparing the program's folder"
# A port is chosen: a check must not use it. The stand-in IDE opens no port.
program_copy "$VIMSEL" /dev/ttyVIMSEL0
printf '[Arduino]\r\nPath=%s\r\n' "$IDE" >"$PROG/Options.ini"
export STAND_IN_IDE_LOG=$WORK/ide.log

start_xvfb
start_screen_reader_bus
start_program "$PROG/vimsel"
shot "started"

click_at() { xdotool mousemove "$1" "$2" click 1; }
# A window-relative region in white where it shows the colour, black elsewhere.
colour_mask() { # colour x y width height
  import -display "$DISPLAY" -window root -crop "$4x$5+$(abs_x "$2")+$(abs_y "$3")" +repage "$WORK/region.png"
  convert "$WORK/region.png" -fill black +opaque "rgb($1)" -fill white -opaque "rgb($1)" "$WORK/mask.png"
}
pixels_of() { # colour x y width height
  colour_mask "$@"
  convert "$WORK/mask.png" -format '%[fx:round(mean*w*h)]' info:
}
# The first and the last row of the region that show the colour.
rows_of() { # colour x y width height
  colour_mask "$@"
  local box
  box=$(convert "$WORK/mask.png" -format '%@' info:)  # WxH+X+Y of the white part
  [[ "$box" =~ ^[0-9]+x([0-9]+)\+[0-9]+\+([0-9]+)$ ]] || return 0
  echo "${BASH_REMATCH[2]} $((BASH_REMATCH[2] + BASH_REMATCH[1] - 1))"
}
has_text() { # control role piece
  atspi text "$1" "$2" >"$WORK/text.txt" 2>/dev/null && grep -qF -- "$3" "$WORK/text.txt"
}

STEP="building the program"
expect_colour "the palette's start block" $((PALETTE_START[0] - 10)) "${PALETTE_START[1]}" "$START_COLOUR"
drag "${PALETTE_START[@]}" "${DROP_START[@]}"
expect_colour "the start block on the canvas" "${PROBE_START[@]}" "$START_COLOUR"
drag "${PALETTE_LOOP[@]}" "${DROP_LOOP[@]}"
expect_colour "the loop under the start block" "${PROBE_LOOP[@]}" "$LOOP_COLOUR"
drag "${PALETTE_WAIT[@]}" "${DROP_WAIT[@]}"
expect_colour "the wait in the loop's body" "${PROBE_WAIT[@]}" "$WAIT_COLOUR"
shot "program"

STEP="reading the code page without sending"
read -r x y < <(atspi find "Arduino Κώδικας" "page tab")
click_at "$x" "$y"
sketch_shown() { has_text "Arduino Κώδικας" text "   for (int ik1=0;ik1<5;ik1++){" && grep -qF "      delay(1000);" "$WORK/text.txt"; }
wait_for "the sketch in the code page" sketch_shown
shot "code-page"
[ ! -e "$STAND_IN_IDE_LOG" ] || fail "the IDE was started: nothing was to be sent"
! dialog_focused || fail "a question came up: nothing was to be sent"
read -r x y < <(atspi find "Πρόγραμμα" "page tab")
click_at "$x" "$y"

STEP="showing the code beside the blocks"
read -r x y < <(atspi find "Προβολή")
click_at "$x" "$y"
sleep 0.3
read -r x y < <(atspi find "$SIDE_VIEW")
click_at "$x" "$y"
side_shown() { has_text "$SIDE_VIEW" text "      delay(1000);"; }
wait_for "the sketch beside the canvas" side_shown
shot "side-view"

STEP="pointing at the loop"
# Pressed last, the dropped wait has its line marked; the loop has seven.
marked_before=$(pixels_of "$MARK" "${SIDE[@]}")
xdotool mousemove "$(abs_x "${PROBE_LOOP[0]}")" "$(abs_y "${PROBE_LOOP[1]}")"
sleep 0.3
if [ -n "$DOC_SHOT" ]; then
  one_window() { [ "$({ xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | wc -l)" -le 1 ]; }
  wait_for "the port balloon to go" one_window
  xdotool mousemove "$(abs_x "${PROBE_LOOP[0]}")" "$(abs_y $((PROBE_LOOP[1] + 1)))"
  sleep 0.3
  import -display "$DISPLAY" -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$DOC_SHOT"
fi
marked_loop=$(pixels_of "$MARK" "${SIDE[@]}")
shot "loop-pointed"
[ "$marked_before" -gt 300 ] || fail "the dropped wait's line is not marked ($marked_before pixels)"
[ "$marked_loop" -gt $((3 * marked_before)) ] \
  || fail "the loop's four lines are not marked: $marked_loop pixels, $marked_before for one line"

STEP="clicking the wait's line"
# The loop's marked rows give where its lines stand: "for", the wait's "delay", "}"
# and the end block's line.
read -r first last < <(rows_of "$MARK" "${SIDE[@]}")
[ -n "${last:-}" ] || fail "no marked line beside the canvas"
row=$(((last - first + 1) / 4))
wait_line_y=$((SIDE[1] + first + row + row / 2))
[ "$(pixels_of "$HIGHLIGHT" "${CANVAS[@]}")" -lt 100 ] || fail "a block is outlined before the click"
click_at "$(abs_x $((SIDE[0] + 60)))" "$(abs_y "$wait_line_y")"
sleep 0.5
outlined=$(pixels_of "$HIGHLIGHT" "${CANVAS[@]}")
shot "line-clicked"
[ "$outlined" -gt 100 ] || fail "the wait is not outlined in orange ($outlined pixels)"
# The outline goes round the wait: the orange lies between the wait's top and bottom.
read -r top _ < <(rows_of "$HIGHLIGHT" "${CANVAS[@]}")
top=$((top + CANVAS[1]))
[ "$top" -gt $((PROBE_LOOP[1] + 10)) ] && [ "$top" -lt "${PROBE_WAIT[1]}" ] \
  || fail "the orange outline starts at y $top, not around the wait (y ${PROBE_WAIT[1]})"

STEP="checking with Ctrl+R"
xdotool key ctrl+r
ide_called() { [ -s "$STAND_IN_IDE_LOG" ]; }
wait_for "the IDE to be started" ide_called
wait_for_dialog "the message with the result"
shot "checked"
atspi dialog >"$WORK/dialog.txt" || fail "the message cannot be read"
grep -qF "Έλεγχος: το πρόγραμμα είναι σωστό." "$WORK/dialog.txt" || fail "the message says: $(cat "$WORK/dialog.txt")"
read -r call <"$STAND_IN_IDE_LOG"
case "$call" in
  "board=arduino:avr:uno port= mode=verify sketch=$PROG/Out/Output.ino") ;;
  *) fail "the IDE was called as: $call" ;;
esac
xdotool key Return
wait_for_dialog_closed "the message to close"
has_text "Arduino Κώδικας" text "Done!!!" || fail "the code page does not show the IDE's output"

PASSED=1
echo "[$CASE] passed in ${SECONDS}s"
