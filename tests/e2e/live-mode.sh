#!/usr/bin/env bash
# Live mode in the real program under Xvfb, with real X input, against a simulated Uno
# (vimsel_simboard running Optiboot behind a pseudo-terminal, held to wall-clock time)
# whose port is the only one the program lists: the pupil ticks "Ζωντανή λειτουργία"
# in Αρχείο → Επιλογές, the tool bar gains "Αποστολή" and "Τερμάτισε", and on the
# "Συσκευές" page "Φόρτωση Λογισμικού στο Arduino" burns FIRMWARE_HEX (placed where the
# program looks for Morvane.ino.Uno.hex) through avrdude into the board. The burn must
# end with "Burning Complete!!!" and the board must then run what was burnt: the hex
# given here blinks pin 13 every 500 ms, and the board's log must show it at that pace.
#
#   live-mode.sh VIMSEL SIMBOARD OPTIBOOT_HEX FIRMWARE_HEX OUT_DIR
#
# With VIMSEL_SCREENSHOT_DIR set, the README's picture of the tool bar is saved there.
set -eEuo pipefail

# Window-relative points (DejaVu fonts, the window as the program opens it).
FILE_MENU=(20 8)
OPTIONS_ITEM=(60 118)       # Αρχείο → Επιλογές
LIVE_CHECK=(298 337)        # "Ζωντανή λειτουργία (χωρίς μεταγλώττιση)" in the dialog
OPTIONS_OK=(425 376)
DEVICES_TAB=(167 76)
FIRMWARE_BUTTON=(480 668)   # "Φόρτωση Λογισμικού στο Arduino" (its right part: the
                            # port's tooltip may cover the left)
TOOLBAR_HEIGHT=58

if [ $# -ne 5 ]; then
  echo "usage: $0 VIMSEL SIMBOARD OPTIBOOT_HEX FIRMWARE_HEX OUT_DIR" >&2
  exit 2
fi
VIMSEL=$1 SIMBOARD=$2 OPTIBOOT=$3 FIRMWARE=$4 OUT=$5 CASE=live

source "$(dirname "$0")/harness.sh"
click() { # x y, window-relative
  xdotool mousemove "$(abs_x "$1")" "$(abs_y "$2")" click 1
}
BOARD_PID=""
trap '[ -z "$BOARD_PID" ] || kill "$BOARD_PID" 2>/dev/null || true; cleanup' EXIT

STEP="starting the simulated board"
PORT=$WORK/ttyUNO
program_copy "$VIMSEL" "$PORT"
mkdir -p "$PROG/Arduino"
cp "$FIRMWARE" "$PROG/Arduino/Morvane.ino.Uno.hex"
BOARD_LOG=$WORK/board.log
"$SIMBOARD" --bootloader "$OPTIBOOT" --port "$PORT" --realtime --seconds 0 --timeout 120 \
  >"$BOARD_LOG" 2>&1 &
BOARD_PID=$!
board_ready() { kill -0 "$BOARD_PID" 2>/dev/null || fail "the simulated board exited"; grep -q '^ready ' "$BOARD_LOG"; }
wait_for "the simulated board" board_ready

start_xvfb
start_program "$PROG/vimsel"
shot "started"

STEP="ticking the live mode in Επιλογές"
click "${FILE_MENU[@]}"
sleep 0.3
click "${OPTIONS_ITEM[@]}"
wait_for_dialog "the dialog Επιλογές"
shot "options"
click "${LIVE_CHECK[@]}"
sleep 0.2
click "${OPTIONS_OK[@]}"
wait_for_dialog_closed "the dialog Επιλογές"
grep -q '^Enabled=1' "$PROG/Options.ini" || fail "Options.ini does not keep the live mode: $(cat "$PROG/Options.ini")"
shot "live-mode-on"
if [ -n "${VIMSEL_SCREENSHOT_DIR:-}" ]; then
  import -display "$DISPLAY" -window "$WIN" -crop "${WIN_W:-1000}x${TOOLBAR_HEIGHT}+0+0" +repage \
    "$VIMSEL_SCREENSHOT_DIR/live-mode-toolbar.png"
fi

STEP="burning the firmware from the Συσκευές page"
click "${DEVICES_TAB[@]}"
sleep 0.5
shot "devices"
click "${FIRMWARE_BUTTON[@]}"
TIMEOUT=60 wait_for_dialog "the message with the burn's result"
shot "burnt"
# The board starts an application only after an upload wrote one.
grep -q '^start ' "$BOARD_LOG" || fail "nothing was burnt: $(tail -5 "$BOARD_LOG")"
xdotool key Return
wait_for_dialog_closed "the message with the burn's result"

STEP="watching the burnt program run on the board"
# Pin 13 (B5) after the last start: at least four changes, each 500 ms after the last
# one. The board counts simulated time, held to the wall clock, so a change may come
# late only by a simulated instruction or two; 5 ms is far more than that and far less
# than a blink that is wrong.
toggles() { [ "$(awk '/^start /{n=0} /^pin B5 /{n++} END{print n+0}' "$BOARD_LOG")" -ge 5 ]; }
TIMEOUT=20 wait_for "pin 13 to blink" toggles
awk '/^start /{n=0} /^pin B5 /{t[n++]=$3} END{
       for (i = 1; i < n; i++) { d = t[i] - t[i-1]; if (d < 495 || d > 505) { print "gap " d; exit 1 } } }' \
  "$BOARD_LOG" || fail "pin 13 does not change every 500 ms: $(grep '^pin' "$BOARD_LOG" | tail -8 | tr '\n' ' ')"

PASSED=1
echo "PASS: live mode on, firmware burnt, the board runs it"
