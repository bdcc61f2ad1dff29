#!/usr/bin/env bash
# Live mode in the real program under Xvfb, with real X input, against a simulated Uno
# (vimsel_simboard running Optiboot behind a pseudo-terminal, held to wall-clock time)
# whose port is the only one the program lists: the pupil ticks "Ζωντανή λειτουργία"
# in Αρχείο → Επιλογές, the tool bar gains "Αποστολή" and "Τερμάτισε", and on the
# "Συσκευές" page "Φόρτωση Λογισμικού στο Arduino" burns FIRMWARE_HEX (placed where the
# program looks for Morvane.ino.Uno.hex) through avrdude into the board, which must then
# say "Morvane ready". The pupil opens PROJECT (a blink of pin 13 every 500 ms) and
# presses "Αποστολή": "Αποστολή προγράμματος…" shows while the blocks go over the line
# at 9600 baud, the firmware starts the program and the board's log must show pin 13
# changing at that pace, and the canvas outlines the wait the board is in, in turn.
# "Τερμάτισε" must stop it: "Program stopped", no wait outlined, and the pin
# stays as it is.
#
#   live-mode.sh VIMSEL SIMBOARD OPTIBOOT_HEX FIRMWARE_HEX PROJECT OUT_DIR
#
# With VIMSEL_SCREENSHOT_DIR set, the README's pictures of the tool bar and of a
# transfer are saved there.
set -eEuo pipefail

# Window-relative points (DejaVu fonts, the window as the program opens it).
FILE_MENU=(20 8)
OPTIONS_ITEM=(60 140)       # Αρχείο → Επιλογές
LIVE_CHECK=(298 337)        # "Ζωντανή λειτουργία (χωρίς μεταγλώττιση)" in the dialog
OPTIONS_OK=(425 376)
PROGRAM_TAB=(58 76)
DEVICES_TAB=(167 76)
FIRMWARE_BUTTON=(480 668)   # "Φόρτωση Λογισμικού στο Arduino" (its right part: the
                            # port's tooltip may cover the left)
SEND_BUTTON=(475 39)        # "Αποστολή" on the tool bar
STOP_BUTTON=(593 39)        # "Τερμάτισε"
TOOLBAR_HEIGHT=58

if [ $# -ne 6 ]; then
  echo "usage: $0 VIMSEL SIMBOARD OPTIBOOT_HEX FIRMWARE_HEX PROJECT OUT_DIR" >&2
  exit 2
fi
VIMSEL=$1 SIMBOARD=$2 OPTIBOOT=$3 FIRMWARE=$4 PROJECT=$5 OUT=$6 CASE=live

source "$(dirname "$0")/harness.sh"
click() { # x y, window-relative
  xdotool mousemove "$(abs_x "$1")" "$(abs_y "$2")" click 1
}
BOARD_PID=""
# A failure shows the end of the board's log too.
trap '[ "$PASSED" = 1 ] || [ ! -s "${BOARD_LOG:-}" ] || { echo "--- board log ---" >&2; tail -n 20 "$BOARD_LOG" >&2; }
      [ -z "$BOARD_PID" ] || kill "$BOARD_PID" 2>/dev/null || true; cleanup' EXIT

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

STEP="watching the firmware start"
# What the board did since the last reset: the log from its last "start" line on.
since_start() { awk '/^start /{out = ""} {out = out $0 "\n"} END{printf "%s", out}' "$BOARD_LOG"; }
firmware_ready() { since_start | grep -q '^text .*Morvane ready'; }
TIMEOUT=5 wait_for "the firmware's \"Morvane ready\"" firmware_ready

STEP="sending the blink to the board"
cp "$(dirname "$PROJECT")"/"$(basename "$PROJECT" .vzl)".* "$WORK/"
open_project "$WORK/$(basename "$PROJECT")"
STEP="sending the blink with Αποστολή"
click "${PROGRAM_TAB[@]}"
sleep 0.3
click "${SEND_BUTTON[@]}"
# The progress dialog is lower than other dialogs (no button).
DIALOG_MIN_HEIGHT=45 TIMEOUT=5 wait_for_unfocused_dialog "the progress of the transfer"
shot "sending"
# The window with the dialog, taken again and again while the transfer runs. The bar is
# read (its blue or its white) at a quarter, at 45 % and at three quarters of its
# width: the percentage in its middle is left out.
eval "$(xdotool getwindowgeometry --shell "$DIALOG" | grep -E '^(X|Y)=' | sed 's/^/DIALOG_/')"
BAR_Y=$((DIALOG_Y - WIN_Y + 42)) BAR_QUARTER=$((DIALOG_X - WIN_X + 55))
BAR_NEAR_HALF=$((DIALOG_X - WIN_X + 90)) BAR_THREE_QUARTERS=$((DIALOG_X - WIN_X + 145))
bar_filled_at() { # image x
  local r g b
  read -r r g b < <(convert "$1" -crop "1x1+$2+$BAR_Y" +repage -depth 8 txt:- \
    | sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p')
  [ "${b:-0}" -gt $((${r:-0} + 60)) ]
}
progress_open() { { xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | grep -qx "$DIALOG"; }
# A message box over the progress (the board did not answer, for one) takes the focus.
message_shown() {
  local focused
  focused=$(xdotool getwindowfocus 2>/dev/null || true)
  [ -n "$focused" ] && [ "$focused" != "$WIN" ] && [ "$focused" != "$DIALOG" ] \
    && { xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | grep -qx "$focused"
}
samples=0 advanced="" halfway=""
deadline=$((SECONDS + 20))
while progress_open; do
  [ $SECONDS -lt $deadline ] || fail "the transfer did not end within 20 s"
  ! message_shown || fail "a message came up during the transfer"
  samples=$((samples + 1))
  sample=$(printf '%s/transfer-%02d.png' "$SHOTS" "$samples")
  import -display "$DISPLAY" -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$sample"
  progress_open || break  # taken after the dialog went
  if bar_filled_at "$sample" "$BAR_QUARTER"; then
    advanced=$sample
    if [ -z "$halfway" ] && bar_filled_at "$sample" "$BAR_NEAR_HALF" \
      && ! bar_filled_at "$sample" "$BAR_THREE_QUARTERS"; then halfway=$sample; fi
  fi
done
[ -n "$advanced" ] || fail "the progress bar never passed a quarter ($samples pictures of the transfer in $SHOTS)"
if [ -n "${VIMSEL_SCREENSHOT_DIR:-}" ]; then
  cp "${halfway:-$advanced}" "$VIMSEL_SCREENSHOT_DIR/live-mode-transfer.png"
fi
wait_for_dialog_closed "the end of the transfer"
shot "sent"

STEP="watching the program run on the board"
# The board's log from the firmware's "Program start" on (nothing before it comes). The
# firmware's acknowledgements (R) share the line with it.
since_program() { awk '/^start /{on = 0} /^text .*Program start/{on = 1; out = ""} on{out = out $0 "\n"} END{printf "%s", out}' "$BOARD_LOG"; }
program_started() { since_program | grep -q .; }
TIMEOUT=5 wait_for "the firmware's \"Program start\"" program_started
# Pin 13 (B5): at least four changes, each 500 ms after the last one. The board counts
# simulated time, held to the wall clock; the interpreter adds some microseconds to
# each wait, and 5 ms is far more than that and far less than a blink that is wrong.
toggles() { [ "$(since_program | grep -c '^pin B5 ')" -ge 5 ]; }
TIMEOUT=10 wait_for "pin 13 to blink" toggles
since_program | awk '/^pin B5 /{t[n++]=$3} END{
    for (i = 1; i < n; i++) { d = t[i] - t[i-1]; if (d < 495 || d > 505) { print "gap " d; exit 1 } } }' \
  || fail "pin 13 does not change every 500 ms: $(since_program | grep '^pin' | tail -8 | tr '\n' ' ')"
shot "running"

STEP="following the board's block on the canvas"
# The firmware tells which wait it is in; the canvas outlines that wait, one and then
# the other (window-relative points on the left edges of the blink's two waits).
WAIT_ON=(441 287) WAIT_OFF=(441 357) HIGHLIGHT="255,140,0"
outlined() { [ "$(pixel_at "$(abs_x "$1")" "$(abs_y "$2")")" = "$HIGHLIGHT" ]; }
wait_for "the wait after the LED lights to be outlined" outlined "${WAIT_ON[@]}"
wait_for "the wait after it goes dark to be outlined" outlined "${WAIT_OFF[@]}"
wait_for "the first wait outlined again" outlined "${WAIT_ON[@]}"

STEP="stopping the program with Τερμάτισε"
click "${STOP_BUTTON[@]}"
program_stopped() { since_program | grep -q '^text .*Program stopped'; }
TIMEOUT=5 wait_for "the firmware's \"Program stopped\"" program_stopped
changes=$(grep -c '^pin B5 ' "$BOARD_LOG")
sleep 1.5
[ "$(grep -c '^pin B5 ' "$BOARD_LOG")" = "$changes" ] \
  || fail "pin 13 still changes after Τερμάτισε: $(grep '^pin' "$BOARD_LOG" | tail -3 | tr '\n' ' ')"
if outlined "${WAIT_ON[@]}" || outlined "${WAIT_OFF[@]}"; then fail "a wait is still outlined after Τερμάτισε"; fi
shot "stopped"

PASSED=1
echo "PASS: firmware burnt, the blink sent from the window runs on the board and Τερμάτισε stops it"
