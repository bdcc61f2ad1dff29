#!/usr/bin/env bash
# The simulation page in the real program under Xvfb, with real X input; controls are
# found by their names, as a screen reader finds them.
#   1. The blink opened from the command line; "Προσομοίωση", "Έναρξη": the drawn
#      board's pin 13 LED is lit and, half a period (500 ms) later, dark; the pin
#      table shows pin 13 as an output; on the canvas the wait the board is in is
#      outlined, one and then the other; after "Τερματισμός" neither is. "Παύση"
#      holds the LED as it is, "Συνέχεια" lets it go on; in slow motion (×¼) it
#      stays lit two seconds.
#   2. The button lesson: pin 13's LED lit while "Πάτημα Switch_0" is held down with
#      the pointer, dark once it is let go.
#   3. The parking sensor of the lessons (project-1: a buzzer that beeps faster and
#      higher as an obstacle comes near): silent at the slider's 100 cm; the distance
#      slider taken to its lowest (Home) makes a 2000 Hz note, a page up (12 cm) a
#      1500 Hz one, heard: a sound server of the test's own (PulseAudio with a null
#      output) records what the program plays, and its period is the note's;
#      "Τερματισμός" ends the run.
#
#   simulation.sh VIMSEL FIRMWARE_FOLDER EXAMPLES OUT_DIR
#
# With VIMSEL_SCREENSHOT_DIR set, the pictures docs/simulation-*.png go there.
set -eEuo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 VIMSEL FIRMWARE_FOLDER EXAMPLES OUT_DIR" >&2
  exit 2
fi
CASE=simulation VIMSEL=$1 FIRMWARE=$(cd "$2" && pwd) EXAMPLES=$(cd "$3" && pwd) OUT=$4 DOCS=${VIMSEL_SCREENSHOT_DIR:-}
TIMEOUT=30
source "$(dirname "$0")/harness.sh"

# A picture of the window as it shows on the screen (balloons over it included).
doc_shot() { # NAME
  [ -z "$DOCS" ] || import -display "$DISPLAY" -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$DOCS/$1.png"
}
board_says() { atspi describe "Προσομοιωμένη πλακέτα" >"$WORK/board.txt" 2>/dev/null && grep -qF -- "$1" "$WORK/board.txt"; }

STEP="preparing the program's folder"
program_copy "$VIMSEL"
# The firmware images beside the program, where it looks for them.
mkdir -p "$PROG/Arduino"
cp "$FIRMWARE"/Morvane.ino.Uno.elf "$FIRMWARE"/Morvane.ino.Mega.elf "$PROG/Arduino/"
cp -r "$EXAMPLES/blink" "$EXAMPLES/lessons/project-1" "$EXAMPLES/lessons/button" "$WORK/"

start_xvfb
start_screen_reader_bus
# A sound server with a null output, whose monitor the test records.
STEP="starting a sound server"
mkdir -p "$WORK/pulse"
chmod 700 "$WORK/pulse"
export PULSE_SERVER="unix:$WORK/pulse/native"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  -L "module-native-protocol-unix socket=$WORK/pulse/native auth-anonymous=1" \
  -L "module-null-sink sink_name=vimsel_null" -L "module-always-sink" >"$WORK/pulse.log" 2>&1 &
PULSE_PID=$!
trap 'kill "$PULSE_PID" 2>/dev/null || true; kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true; cleanup' EXIT
wait_for "the sound server" pactl info
# The frequency of what the program plays, from the period of the recorded wave.
heard_hz() {
  timeout -s INT 2 parec -d vimsel_null.monitor --raw --format=s16le --channels=1 --rate=48000 \
    --latency-msec=20 >"$WORK/heard.raw" || true
  python3 - "$WORK/heard.raw" <<'PY'
import statistics, struct, sys
data = open(sys.argv[1], "rb").read()
s = struct.unpack("<%dh" % (len(data) // 2), data[: len(data) // 2 * 2])
rises = [i for i in range(1, len(s)) if s[i - 1] < -500 and s[i] >= -500]
gaps = [b - a for a, b in zip(rises, rises[1:]) if b - a < 480]
print(round(48000 / statistics.median(gaps)) if len(gaps) > 20 else 0)
PY
}
start_program "$PROG/vimsel" "$WORK/blink/blink.vzl"
shot "started"

STEP="starting the blink's simulation"
press "Προσομοίωση" "page tab"
press "Έναρξη" "push button"
wait_for "the program to run on the drawn board" board_says "LED 13"
# The LED's place: the drawn board's pin-13 LED (see BoardView: 60,70 on the board
# drawn 10 px inside the view).
read -r bx by _ _ < <(atspi extents "Προσομοιωμένη πλακέτα")
LED_X=$((bx + 70)) LED_Y=$((by + 80))
LIT="255,210,40" DARK="90,80,50"
led_is() { [ "$(pixel_at "$LED_X" "$LED_Y")" = "$1" ]; }

STEP="watching the LED"
# From the moment it lights, a quarter period on it is lit, and half a period later
# dark.
led_dark() { led_is "$DARK"; }
led_lit() { led_is "$LIT"; }
now_ms() { date +%s%3N; }
sleep_until() { # ms
  local left=$(($1 - $(now_ms)))
  [ $left -le 0 ] || sleep "$(awk "BEGIN { print $left / 1000 }")"
}
wait_for "the LED to go dark" led_dark
wait_for "the LED to light" led_lit
lit_at=$(now_ms)
sleep_until $((lit_at + 250))
led_lit || fail "the LED should be lit a quarter period after it lit, found rgb $(pixel_at "$LED_X" "$LED_Y")"
shot "led-on"
sleep_until $((lit_at + 750))
led_dark || fail "the LED should be dark half a period later, found rgb $(pixel_at "$LED_X" "$LED_Y")"
shot "led-off"
if [ -n "$DOCS" ]; then
  wait_for "the LED to light" led_lit
  doc_shot simulation-blink-on
  wait_for "the LED to go dark" led_dark
  doc_shot simulation-blink-off
fi
atspi has "Έξοδος" || fail "the pin table does not show pin 13 as an output"

STEP="pausing"
press "Παύση" "push button"
sleep 0.2
held=$(pixel_at "$LED_X" "$LED_Y")
sleep 1.2
[ "$(pixel_at "$LED_X" "$LED_Y")" = "$held" ] || fail "the LED changed during the pause"
press "Συνέχεια" "push button"
if [ "$held" = "$LIT" ]; then wait_for "the LED to go dark after the pause" led_dark; else wait_for "the LED to light after the pause" led_lit; fi

STEP="in slow motion"
# A quarter of the speed: the LED stays lit two seconds.
press "Αργή κίνηση" "check box"
wait_for "the LED to go dark" led_dark
wait_for "the LED to light" led_lit
lit_at=$(now_ms)
sleep_until $((lit_at + 1200))
led_lit || fail "in slow motion the LED should still be lit 1.2 s after it lit"
sleep_until $((lit_at + 2600))
led_dark || fail "in slow motion the LED should be dark 2.6 s after it lit"
press "Κανονική ταχύτητα" "check box"

STEP="following the running block on the canvas"
# The blink's two waits on the canvas (window-relative points on their left edges):
# the one the board waits in is outlined, in turn.
WAIT_ON=(441 287) WAIT_OFF=(441 357) HIGHLIGHT="255,140,0"
outlined() { [ "$(pixel_at "$(abs_x "$1")" "$(abs_y "$2")")" = "$HIGHLIGHT" ]; }
press "Πρόγραμμα" "page tab"
wait_for "the wait after the LED lights to be outlined" outlined "${WAIT_ON[@]}"
wait_for "the wait after it goes dark to be outlined" outlined "${WAIT_OFF[@]}"
wait_for "the first wait outlined again" outlined "${WAIT_ON[@]}"
outlined "${WAIT_OFF[@]}" && fail "both waits are outlined at once"
shot "running-block"
doc_shot simulation-running-block
press "Προσομοίωση" "page tab"
press "Τερματισμός" "push button"
press "Πρόγραμμα" "page tab"
sleep 0.5
if outlined "${WAIT_ON[@]}" || outlined "${WAIT_OFF[@]}"; then fail "a block is still outlined after the end"; fi
press "Προσομοίωση" "page tab"

STEP="holding the button"
# The button lesson lights pin 13 while its switch is held: pressed and held with
# the pointer, then let go.
open_project "$WORK/button/button.vzl"
press "Προσομοίωση" "page tab"
press "Έναρξη" "push button"
wait_for "the program to run" board_says "LED 13 σβηστό"
xy=$(atspi find "Πάτημα Switch_0" "push button")
# shellcheck disable=SC2086
xdotool mousemove $xy mousedown 1
wait_for "the LED to light while the button is held" led_lit
sleep 0.5
led_lit || fail "the LED went dark while the button was still held"
shot "button-held"
xdotool mouseup 1
wait_for "the LED to go dark once the button is let go" led_dark
press "Τερματισμός" "push button"

STEP="opening the parking sensor"
open_project "$WORK/project-1/project-1.vzl"
press "Προσομοίωση" "page tab"
press "Έναρξη" "push button"
wait_for "the program to run" board_says "Sound_1"
sleep 1
board_says "Sound_1 σιωπή" || fail "at 100 cm the buzzer should be silent: $(cat "$WORK/board.txt")"

STEP="moving the distance slider"
press "Απόσταση USonic_0" "slider"
xdotool key Home
wait_for "the 2000 Hz note of a near obstacle" board_says "Sound_1 2000 Hz"
shot "near"
STEP="listening to the note"
hz=$(heard_hz)
[ "$hz" -ge 1950 ] && [ "$hz" -le 2050 ] || fail "the program played ${hz} Hz instead of 2000 Hz"
doc_shot simulation-parking-sensor
xdotool key Prior
wait_for "the 1500 Hz note at 12 cm" board_says "Sound_1 1500 Hz"
shot "nearer-than-30"
press "Τερματισμός" "push button"
wait_for "the start button back" atspi has "Έναρξη"

PASSED=1
echo "PASS [$CASE]"
