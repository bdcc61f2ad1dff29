#!/usr/bin/env bash
# The checks before sending in the real program under Xvfb, with real X input. The
# pupil's first program (the blink example without its LED device, so that nothing
# makes pin 13 an output) is opened through the open dialog and "Αποστολή στο
# Arduino" pressed. Checked: no question comes, the findings panel opens under the
# canvas; a click on its finding outlines the first pin block in orange; "Συνέχεια"
# goes on as without findings: the question, the stand-in IDE, the result, and
# Out/Output.ino is the sketch vimsel-sketch makes of the same project. vimsel-sketch
# --check tells the same finding and exits with 3 (warnings only).
#
#   checks-before-sending.sh VIMSEL VIMSEL_SKETCH STAND_IN_IDE_FOLDER BLINK_PROJECT OUT_DIR [PANEL_PNG]
#
# PANEL_PNG, when given, receives a picture of the window with the panel and the
# outlined block (docs/findings-panel.png).
set -eEuo pipefail

# Window-relative points (DejaVu fonts, the window as the program opens it, 1000×750).
SEND_BUTTON=(545 39)       # the tool bar's "Αποστολή στο Arduino"
PANEL_NOTE=(893 650)       # the panel's own background, under its buttons
FIRST_FINDING=(560 565)    # the first entry of the findings list
CONTINUE_BUTTON=(893 571)  # "Συνέχεια"
CANVAS=(330 95 650 380)    # x y width height of the canvas above the panel
NOTE="255,244,206"         # the panel's colour
HIGHLIGHT="255,140,0"      # the outline of the block a finding points at

if [ $# -lt 5 ] || [ $# -gt 6 ]; then
  echo "usage: $0 VIMSEL VIMSEL_SKETCH STAND_IN_IDE_FOLDER BLINK_PROJECT OUT_DIR [PANEL_PNG]" >&2
  exit 2
fi
CASE=checks-before-sending VIMSEL=$1 SKETCH_TOOL=$2 IDE=$(cd "$3" && pwd) BLINK=$4 OUT=$5 DOC_SHOT=${6:-}

source "$(dirname "$0")/harness.sh"

STEP="preparing the project: the blink example without its LED"
PROJECT=$WORK/first-program.vzl
cp "$BLINK" "$PROJECT"
cp "${BLINK%.vzl}.var" "${PROJECT%.vzl}.var"
printf '[ArduinoDevice]\r\nTypeId=0\r\n[ActiveDevices]\r\nCount=-1\r\n' >"${PROJECT%.vzl}.adv"
rc=0
"$SKETCH_TOOL" --check "$PROJECT" >"$WORK/check.txt" || rc=$?
[ "$rc" = 3 ] || fail "vimsel-sketch --check exited with $rc, not 3 (warnings only)"
[ "$(wc -l <"$WORK/check.txt")" = 1 ] && grep -q '^Προσοχή: block «Θέσε το pin 13 σε 1 (high=5 Volt)».*Το pin 13 δεν έχει διαμορφωθεί για έξοδο' "$WORK/check.txt" \
  || fail "vimsel-sketch --check printed: $(cat "$WORK/check.txt")"
"$SKETCH_TOOL" "$PROJECT" >"$WORK/expected.ino"

STEP="preparing the program's folder"
# The stand-in IDE opens no port: any name will do.
program_copy "$VIMSEL" /dev/ttyUSB0
printf '[Arduino]\r\nPath=%s\r\n' "$IDE" >"$PROG/Options.ini"
export STAND_IN_IDE_LOG=$WORK/ide.log

start_xvfb
start_program "$PROG/vimsel"
shot "started"

open_project "$PROJECT"

STEP="pressing Αποστολή στο Arduino"
xdotool mousemove "$(abs_x "${SEND_BUTTON[0]}")" "$(abs_y "${SEND_BUTTON[1]}")" click 1
expect_colour "the findings panel" "${PANEL_NOTE[@]}" "$NOTE"
sleep 0.5
! dialog_focused || fail "a dialog came up before the pupil chose: nothing may be sent yet"
[ ! -e "$STAND_IN_IDE_LOG" ] || fail "the IDE was started before the pupil chose"
shot "findings"

STEP="clicking the finding"
outlined_pixels() {
  import -display "$DISPLAY" -window root \
    -crop "${CANVAS[2]}x${CANVAS[3]}+$(abs_x "${CANVAS[0]}")+$(abs_y "${CANVAS[1]}")" +repage -depth 8 txt:- \
    | grep -c "($HIGHLIGHT)" || true
}
[ "$(outlined_pixels)" -lt 100 ] || fail "a block is outlined before the finding was clicked"
xdotool mousemove "$(abs_x "${FIRST_FINDING[0]}")" "$(abs_y "${FIRST_FINDING[1]}")" click 1
sleep 0.5
outlined=$(outlined_pixels)
[ "$outlined" -gt 100 ] || fail "the pin block is not outlined in orange ($outlined pixels)"
shot "finding-clicked"
if [ -n "$DOC_SHOT" ]; then
  # The port balloon of the start-up goes away by itself first.
  one_window() { [ "$({ xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | wc -l)" -le 1 ]; }
  wait_for "the port balloon to go" one_window
  import -display "$DISPLAY" -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$DOC_SHOT"
fi

STEP="choosing Συνέχεια"
xdotool mousemove "$(abs_x "${CONTINUE_BUTTON[0]}")" "$(abs_y "${CONTINUE_BUTTON[1]}")" click 1
wait_for_dialog "the question Να σταλεί στο Arduino;"
shot "question"
xdotool key Return

STEP="waiting for the IDE and the result"
ide_called() { [ -s "$STAND_IN_IDE_LOG" ]; }
wait_for "the IDE to be started" ide_called
wait_for_dialog "the message with the result"
shot "result"
cmp -s "$WORK/expected.ino" "$PROG/Out/Output.ino" \
  || fail "Out/Output.ino differs from the sketch vimsel-sketch makes of the project"

STEP="closing the message"
xdotool key Return
wait_for_dialog_closed "the message to close"

PASSED=1
echo "[$CASE] passed in ${SECONDS}s"
