#!/usr/bin/env bash
# What a pupil's hands do to the program, in the real program under Xvfb with real X
# input:
#   click  the blink example is opened and the words of two blocks inside its loop
#          are clicked, without moving; after Ctrl+S the saved project still makes
#          exactly the blink's sketch (a click changes no link)
#
#   wheel  on the devices page, with a laser added: the wheel over its pin field while
#          another control has the focus leaves the pin as it is (and scrolls the page
#          instead); once the field has the focus, the wheel over it changes it
#
#   board  the blink's laser is put on pin 40 of a Mega; the Uno is chosen: the pin
#          stays 40, marked as not there, and "Αποστολή στο Arduino" finds "Το pin 40
#          δεν υπάρχει στο Arduino Uno"; the Mega again clears both, and one Ctrl+Z
#          brings the Uno back
#
#   undo   the pin of the first block is changed, then a wait is typed into and undone
#          inside its field with Ctrl+Z; one Ctrl+Z on the canvas then undoes the pin:
#          the saved project makes exactly the blink's sketch
#
#   editor-gestures.sh CASE VIMSEL VIMSEL_SKETCH PROJECT OUT_DIR
set -eEuo pipefail

# Window-relative points on the blink example as it opens (DejaVu fonts).
SET_PIN_WORDS=(470 252)    # "Θέσε το pin … σε 1", on its words
WAIT_WORDS=(470 287)       # "Περίμενε … χιλιοστά δευτερολέπτου", on its words
PROBE_START=(430 183)
SET_PIN_FIELD=(548 252)    # the pin field of the first "Θέσε το pin"
WAIT_FIELD=(533 287)       # the number field of the first "Περίμενε"
EMPTY_CANVAS=(760 620)
START_COLOUR="0,128,0"

if [ $# -ne 5 ]; then
  sed -n '2,/^set /p' "$0" | sed '$d' >&2
  exit 2
fi
CASE=$1 VIMSEL=$2 SKETCH=$3 PROJECT=$4 OUT=$5
source "$(dirname "$0")/harness.sh"
click() { # x y, window-relative
  xdotool mousemove "$(abs_x "$1")" "$(abs_y "$2")"
  sleep 0.2
  xdotool click 1
  sleep 0.3
}

# Clicks the middle of the showing control called NAME of ROLE, found as a screen
# reader finds it.
click_control() { # NAME ROLE
  local xy
  xy=$(atspi find "$1" "$2") || fail "no $2 called $1: $(atspi dump | grep -v filler | cut -f1,2 | tr '\n' ';' | tail -c 600)"
  # shellcheck disable=SC2086
  xdotool mousemove $xy click 1
  sleep 0.5
}
tab() { click_control "$1" "page tab"; }
# Saves with Ctrl+S and checks that the saved project still makes exactly the blink's
# sketch; fails with WHY otherwise.
expect_saved_blink() { # WHY
  STEP="saving with Ctrl+S"
  local before
  before=$(stat -c %Y "$WORK/$name.vzl")
  sleep 1
  xdotool key ctrl+s
  saved() { [ "$(stat -c %Y "$WORK/$name.vzl")" != "$before" ]; }
  wait_for "the project to be saved" saved
  STEP="checking the saved program"
  "$SKETCH" "$WORK/$name.vzl" >"$WORK/saved.ino" 2>"$WORK/sketch.log" || fail "vimsel-sketch failed: $(cat "$WORK/sketch.log")"
  cmp -s "$WORK/saved.ino" "$(dirname "$PROJECT")/$name.ino" \
    || fail "$1: $(diff "$(dirname "$PROJECT")/$name.ino" "$WORK/saved.ino" | head -20 || true)"
}
# Whether a text shows now, without waiting for it to appear.
atspi_quick() { ATSPI_TIMEOUT=0 atspi "$@"; }

program_copy "$VIMSEL" /dev/ttyVIMSEL0
name=$(basename "$PROJECT" .vzl)
cp "$(dirname "$PROJECT")/$name".* "$WORK/"
start_xvfb
start_screen_reader_bus
start_program "$PROG/vimsel"
open_project "$WORK/$name.vzl"
expect_colour "the blink's start block" "${PROBE_START[@]}" "$START_COLOUR"

case "$CASE" in
click)
  STEP="clicking the words of the blocks in the loop"
  click "${SET_PIN_WORDS[@]}"
  shot "clicked-set-pin"
  click "${WAIT_WORDS[@]}"
  shot "clicked-wait"
  xdotool windowfocus "$WIN" 2>/dev/null || true
  expect_saved_blink "a click changed the program"
  ;;
wheel)
  STEP="adding a laser on the devices page"
  xy=$(atspi find "Συσκευές" "page tab") || fail "no Συσκευές tab"
  # shellcheck disable=SC2086
  xdotool mousemove $xy click 1
  sleep 0.5
  LASER_ADD=(239 453)   # the Laser/LED tile's ADD, the second tile
  click "${LASER_ADD[@]}"
  sleep 0.5
  shot "laser-added"
  pin_xy=$(atspi role "spin button") || fail "no pin field: $(atspi dump | cut -f1,2 | tr '\n' ';' | tail -c 400)"
  before=$(atspi value "spin button")
  STEP="turning the wheel over the pin field without its focus"
  # A new device's window gives its pin field the focus: the pupil clicks into the
  # debug list at the bottom, which takes it.
  DEBUG_LIST=(500 714)
  click "${DEBUG_LIST[@]}"
  # shellcheck disable=SC2086
  xdotool mousemove $pin_xy
  sleep 0.2
  xdotool click 4 click 4 click 4
  sleep 0.5
  shot "wheel-unfocused"
  pin_xy_after=$(atspi role "spin button")
  [ "$(atspi value "spin button")" = "$before" ] || fail "the pin changed without its focus: $before -> $(atspi value "spin button")"
  STEP="turning the wheel over the focused pin field"
  # shellcheck disable=SC2086
  xdotool mousemove $pin_xy_after click 1
  sleep 0.3
  xdotool click 4
  sleep 0.5
  shot "wheel-focused"
  [ "$(atspi value "spin button")" != "$before" ] || fail "the focused pin did not take the wheel"
  ;;
board)
  STEP="choosing the Mega on the devices page"
  tab "Συσκευές"
  tab "Arduino Uno"
  click_control "Arduino MEGA" "radio button"
  shot "mega-chosen"
  STEP="putting the laser on pin 40"
  tab "LaserLED_0"
  click_control "Signal Pin:" "spin button"
  # No window manager: the keys go where the X focus is, which the port's balloon may
  # have taken.
  xdotool windowfocus "$WIN" 2>/dev/null || true
  xdotool key ctrl+a
  xdotool type --delay 50 "40"
  xdotool key Tab
  sleep 0.5
  [ "$(atspi value "spin button")" = 40 ] || fail "the pin field shows $(atspi value "spin button")"
  ! atspi_quick has "Δεν υπάρχει στο" || fail "pin 40 is marked on the Mega"
  STEP="choosing the Uno"
  tab "Arduino Mega"
  click_control "Arduino UNO" "radio button"
  tab "LaserLED_0"
  shot "pin-on-the-uno"
  [ "$(atspi value "spin button")" = 40 ] || fail "the Uno changed the pin to $(atspi value "spin button")"
  atspi has "Δεν υπάρχει στο Arduino Uno" || fail "the pin is not marked as missing on the Uno"
  STEP="asking for the checks"
  click_control "Αποστολή στο Arduino" "push button"
  atspi has "Το pin 40 δεν υπάρχει στο Arduino Uno" || fail "the checks do not find pin 40"
  shot "finding"
  STEP="choosing the Mega again"
  tab "Συσκευές"
  tab "Arduino Uno"
  click_control "Arduino MEGA" "radio button"
  tab "LaserLED_0"
  shot "back-on-the-mega"
  [ "$(atspi value "spin button")" = 40 ] || fail "the Mega shows pin $(atspi value "spin button")"
  ! atspi_quick has "Δεν υπάρχει στο" || fail "pin 40 is still marked on the Mega"
  tab "Πρόγραμμα"
  ! atspi_quick has "Το pin 40 δεν υπάρχει" || fail "the finding stays after the Mega was chosen"
  STEP="undoing the switch with one Ctrl+Z"
  click "${EMPTY_CANVAS[@]}"
  xdotool key ctrl+z
  sleep 0.5
  atspi has "Το pin 40 δεν υπάρχει στο Arduino Uno" || fail "one Ctrl+Z did not bring the Uno back"
  shot "undone"
  ;;
undo)
  STEP="changing the pin of the first block"
  click "${SET_PIN_FIELD[@]}"
  xdotool type --delay 50 "12"
  xdotool key Tab
  click "${EMPTY_CANVAS[@]}"
  sleep 1.5
  shot "pin-changed"
  STEP="typing into a wait and undoing it inside the field"
  click "${WAIT_FIELD[@]}"
  xdotool type --delay 50 "250"
  sleep 0.3
  shot "wait-typed"
  xdotool key ctrl+z
  sleep 0.3
  shot "wait-undone-in-field"
  click "${EMPTY_CANVAS[@]}"
  sleep 1.5
  STEP="undoing on the canvas"
  xdotool key ctrl+z
  sleep 0.5
  shot "undone-on-canvas"
  expect_saved_blink "one Ctrl+Z did not undo the pin"
  ;;
*)
  fail "unknown case $CASE"
  ;;
esac

PASSED=1
echo "PASS [$CASE]"
