#!/usr/bin/env bash
# Start-up and the pages the pupil opens later, in the real program under Xvfb with
# real X input. The program starts with the robot example named on its command line;
# the window shows its program at once. The pages the pupil has not opened yet are
# built on the first visit: "Συσκευές" must show the example's two devices and its
# board, "Μαθήματα" the lessons' tree, "Προσομοίωση" its buttons, each in place in
# the window, as a screen reader finds them. Back on "Πρόγραμμα" the canvas is there
# as before.
#
#   pages-on-first-visit.sh VIMSEL EXAMPLES_DIR LESSONS_FOLDER OUT_DIR
set -eEuo pipefail
if [ $# -ne 4 ]; then
  echo "usage: $0 VIMSEL EXAMPLES_DIR LESSONS_FOLDER OUT_DIR" >&2
  exit 2
fi
CASE=pages-on-first-visit VIMSEL=$1 EXAMPLES=$2 LESSONS=$3 OUT=$4
TIMEOUT=${TIMEOUT:-20}
source "$(dirname "$0")/harness.sh"

STEP="preparing the program's folder"
program_copy "$VIMSEL" /dev/ttyUSB0
cp -r "$LESSONS" "$PROG/Lessons"
cp "$EXAMPLES"/robot/robot.{vzl,adv,var} "$WORK/"
start_xvfb
start_screen_reader_bus
start_program "$PROG/vimsel" "$WORK/robot.vzl"
shot "started"

# The control called NAME (of ROLE) lies inside the main window.
inside_window() { # NAME [ROLE]
  local extents x y w h
  extents=$(atspi extents "$@") || fail "no control called \"$1\" is shown"
  read -r x y w h <<<"$extents"
  # The browser of the lessons makes Qt create the window anew: it is looked up again.
  main_window || fail "the main window is gone"
  window_geometry
  [ "$x" -ge "$WIN_X" ] && [ "$y" -ge "$WIN_Y" ] && [ $((x + w)) -le $((WIN_X + WIN_W)) ] \
    && [ $((y + h)) -le $((WIN_Y + WIN_H)) ] \
    || fail "\"$1\" lies at $x,$y ${w}x$h, outside the window at $WIN_X,$WIN_Y ${WIN_W}x$WIN_H"
}

STEP="the program as it starts"
wait_for "the robot's file in the status bar" atspi has "robot.vzl"
inside_window "Περιοχή προγράμματος"

STEP="the devices page, opened for the first time"
press "Συσκευές" "page tab"
inside_window "Robot_0" "page tab"
inside_window "USonic_1" "page tab"
# The last device's window is in front, as when the project is opened on a page
# built before; its pins show.
inside_window "Trig Pin:"
shot "devices"
press "Arduino Uno" "page tab"
inside_window "Arduino UNO" "radio button"
shot "board"

STEP="the lessons page, opened for the first time"
press "Μαθήματα" "page tab"
inside_window "Άσκηση 1"
shot "lessons"

STEP="the simulation page, opened for the first time"
press "Προσομοίωση" "page tab"
inside_window "Έναρξη" "push button"
shot "simulation"

STEP="back on the program"
press "Πρόγραμμα" "page tab"
inside_window "Περιοχή προγράμματος"
shot "program"
PASSED=1
