#!/usr/bin/env bash
# The port selector of the real program, driven with real X input under Xvfb. A
# pseudo-terminal pair (socat) stands in for a board; its port is named in a
# "BTPort.ini" beside the program, so it is the one port listed. Checked: the balloon
# "ΠΡΟΣΟΧΗ!!!" appears at start-up and goes away by itself after 8 s; choosing the
# port in the selector stores it ("BtIndex" 0, "BtPort" the port) in the settings.
#
#   port-selector.sh VIMSEL OUT_DIR [STATUS_BAR_PNG]
#
# STATUS_BAR_PNG, when given, receives a picture of the bottom left of the window at
# start-up: the status bar with the listed port and the balloon pointing at it.
#
# The program runs from a copy in OUT_DIR, so that its writable folder (where it
# reads "BTPort.ini") is the test's own.
set -eEuo pipefail

# The selector's middle, from the window's bottom-left corner: right of "Port: " in the
# status bar (DejaVu fonts, which fontconfig gives for the Tahoma and Segoe UI the
# program asks for).
SELECTOR_FROM_BOTTOM_LEFT=(90 14)
# The picture for the docs: the bottom left of the window, balloon included.
SHOT_W=420 SHOT_H=130
LIME="0,255,0"
BALLOON_MS=8000

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 VIMSEL OUT_DIR [STATUS_BAR_PNG]" >&2
  exit 2
fi
CASE=port-selector VIMSEL=$1 OUT=$2 DOC_SHOT=${3:-}
command -v socat >/dev/null || { echo "FAIL: socat is missing; run scripts/install-deps.sh" >&2; exit 1; }

source "$(dirname "$0")/harness.sh"

# The board's stand-in lives as long as the test.
SOCAT_PID=""
trap '[ -z "$SOCAT_PID" ] || kill "$SOCAT_PID" 2>/dev/null || true; cleanup' EXIT

visible_windows() { xdotool search --onlyvisible --classname vimsel 2>/dev/null | wc -l; }
now_ms() { date +%s%3N; }

STEP="making a pseudo-terminal pair"
socat pty,raw,echo=0,link="$WORK/board" pty,raw,echo=0,link="$WORK/host" 2>"$WORK/socat.log" &
SOCAT_PID=$!
links_ready() { [ -L "$WORK/board" ] && [ -L "$WORK/host" ]; }
wait_for "socat's pseudo-terminals" links_ready
PORT=$(readlink -f "$WORK/board")

STEP="preparing the program's folder"
program_copy "$VIMSEL" "$PORT"

start_xvfb
start_program "$PROG/vimsel"
BOTTOM=$((WIN_Y + WIN_H))

# ---- Start-up: the port is listed, the balloon points at it ---------------------------
STEP="waiting for the balloon"
balloon_shown() { [ "$(visible_windows)" -ge 2 ]; }
wait_for "the balloon over the selector" balloon_shown
BALLOON_SEEN=$(now_ms)
sleep 0.5   # let the first paint settle
shot "start"
[ "$(pixel_at $((WIN_X + WIN_W - 40)) $((BOTTOM - 6)))" = "$LIME" ] || fail "no lime status bar at the window's bottom"
if [ -n "$DOC_SHOT" ]; then
  mkdir -p "$(dirname "$DOC_SHOT")"
  import -display "$DISPLAY" -window root -crop "${SHOT_W}x${SHOT_H}+${WIN_X}+$((BOTTOM - SHOT_H))" +repage "$DOC_SHOT"
fi

STEP="waiting for the balloon to go away by itself"
balloon_gone() { [ "$(visible_windows)" -le 1 ]; }
TIMEOUT=$((BALLOON_MS / 1000 + 5)) wait_for "the balloon to hide" balloon_gone
GONE_AFTER=$(($(now_ms) - BALLOON_SEEN))
# Seen a little after it was shown and polled every 0.1 s: it must have stayed most
# of its time, and not much longer.
[ "$GONE_AFTER" -ge $((BALLOON_MS - 1500)) ] || fail "the balloon went away after ${GONE_AFTER} ms"
[ "$GONE_AFTER" -le $((BALLOON_MS + 2000)) ] || fail "the balloon stayed ${GONE_AFTER} ms"
shot "balloon-gone"

# ---- Choosing the port ------------------------------------------------------------
STEP="choosing the port in the selector"
xdotool mousemove $((WIN_X + SELECTOR_FROM_BOTTOM_LEFT[0])) $((BOTTOM - SELECTOR_FROM_BOTTOM_LEFT[1])) click 1
list_open() { [ "$(visible_windows)" -ge 2 ]; }
wait_for "the selector's list to open" list_open
shot "list-open"
xdotool key Return
CONF=$WORK/config/Ombrinex/Vimsel.conf
choice_stored() { [ -f "$CONF" ] && grep -qx "BtPort=$PORT" "$CONF" && grep -qx "BtIndex=0" "$CONF"; }
wait_for "BtIndex=0 and BtPort=$PORT in $CONF" choice_stored
shot "chosen"

PASSED=1
echo "PASS: $PORT listed and chosen; the balloon went away after ${GONE_AFTER} ms"
