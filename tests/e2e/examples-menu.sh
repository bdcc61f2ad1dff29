#!/usr/bin/env bash
# "Αρχείο" → "Παραδείγματα" in the real program under Xvfb, with real X input and the
# menus found by their names over AT-SPI: the teacher opens the menu, its lessons'
# group "Project Απλά" and chooses "Project 3: Νυχτερινό φωτάκι". Checked: the copy
# shows no file name; "Αποθήκευση" asks where to keep it, in a dialog that starts in the
# user's documents folder; the name typed there saves it there, and vimsel-sketch makes
# of the saved project the example's own sketch, the example left as it was.
#
#   examples-menu.sh VIMSEL VIMSEL_SKETCH EXAMPLES_DIR OUT_DIR [MENU_PNG]
#
# MENU_PNG, when given, receives a picture of the open menus (docs/examples-menu.png).
set -eEuo pipefail
if [ $# -lt 4 ] || [ $# -gt 5 ]; then
  echo "usage: $0 VIMSEL VIMSEL_SKETCH EXAMPLES_DIR OUT_DIR [MENU_PNG]" >&2
  exit 2
fi
CASE=examples-menu VIMSEL=$1 SKETCH_TOOL=$2 EXAMPLES=$3 OUT=$4 DOC_SHOT=${5:-}
source "$(dirname "$0")/harness.sh"

EXAMPLE=$EXAMPLES/lessons/project-3/project-3.vzl
before=$(sha256sum "$EXAMPLE" "${EXAMPLE%.vzl}.adv" "${EXAMPLE%.vzl}.var")

program_copy "$VIMSEL" /dev/ttyUSB0
start_xvfb
start_screen_reader_bus
mkdir -p "$HOME/Documents"
start_program "$PROG/vimsel"
shot "started"

# Points the pointer at the entry called NAME and clicks it (a submenu opens).
click_entry() { # NAME
  local xy
  xy=$(atspi find "$1" "menu item") || fail "no menu entry $1"
  xdotool mousemove ${xy% *} ${xy#* } sleep 0.2 click 1
}
STEP="opening Αρχείο"
click_entry "Αρχείο"
STEP="opening Παραδείγματα"
click_entry "Παραδείγματα"
STEP="opening the group Project Απλά"
click_entry "Project Απλά"
STEP="finding Project 3"
entry=$(atspi find "Project 3: Νυχτερινό φωτάκι" "menu item") || fail "no entry for Project 3"
xdotool mousemove ${entry% *} ${entry#* }
sleep 0.5
shot "menu"
if [ -n "$DOC_SHOT" ]; then
  # The menus and the window's upper left, where they open.
  import -display "$DISPLAY" -window root -crop "900x560+$WIN_X+$WIN_Y" +repage "$DOC_SHOT"
fi
STEP="choosing Project 3"
xdotool click 1
sleep 0.5
shot "example-opened"
[ -z "$(atspi dump | awk -F'\t' '$1 == "label" && $3 ~ /\.vzl/')" ] || fail "the copy shows a file name: $(atspi dump | grep vzl)"

STEP="saving the pupil's version"
xy=$(atspi find "Αποθήκευση" "push button") || fail "no button Αποθήκευση"
xdotool mousemove ${xy% *} ${xy#* } sleep 0.2 click 1
wait_for_dialog "the save dialog"
shot "save-dialog"
atspi has "$HOME/Documents" || fail "the save dialog does not start in the documents folder"
# The name field holds only what is typed now; typed again should a loaded machine
# have lost a key.
for attempt in 1 2 3; do
  xdotool key ctrl+a BackSpace
  xdotool type --delay 30 "νυχτερινό φως"
  ATSPI_TIMEOUT=2 atspi has "νυχτερινό φως" && break
done
xdotool key Return
wait_for_dialog_closed "the save dialog to close"
SAVED="$HOME/Documents/νυχτερινό φως.vzl"
wait_for "the saved project" test -s "$SAVED"
shot "saved"
atspi has "$SAVED" || fail "the status bar does not show the saved file"

STEP="checking the saved project"
"$SKETCH_TOOL" "$SAVED" >"$WORK/saved.ino"
cmp "$WORK/saved.ino" "${EXAMPLE%.vzl}.ino" || fail "the saved copy does not make the example's sketch"
[ "$(sha256sum "$EXAMPLE" "${EXAMPLE%.vzl}.adv" "${EXAMPLE%.vzl}.var")" = "$before" ] || fail "the example was changed"

PASSED=1
