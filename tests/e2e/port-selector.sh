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
# Screenshots of every step go to OUT_DIR/shots; they are kept when the test fails (or
# always with VIMSEL_E2E_KEEP=1). The "BTPort.ini" is removed again in every case.
set -eEuo pipefail

SCREEN_W=1280 SCREEN_H=900
# The selector's middle, from the window's bottom-left corner: right of "Port: " in the
# status bar (measured with DejaVu fonts, which fontconfig gives for the Tahoma and
# Segoe UI the program asks for).
SELECTOR_FROM_BOTTOM_LEFT=(90 14)
# The picture for the docs: the bottom left of the window, balloon included.
SHOT_W=420 SHOT_H=130
LIME="0,255,0"
BALLOON_MS=8000
TIMEOUT=15   # seconds for each wait

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 VIMSEL OUT_DIR [STATUS_BAR_PNG]" >&2
  exit 2
fi
VIMSEL=$1 OUT=$2 DOC_SHOT=${3:-}
for tool in Xvfb xdotool import convert socat; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done

# The program looks for "BTPort.ini" in its own folder when it can write there, as it
# can in the build tree.
PROGRAM_DIR=$(cd "$(dirname "$VIMSEL")" && pwd)
INI=$PROGRAM_DIR/BTPort.ini
INI_MARK="; written by tests/e2e/port-selector.sh, removed when it ends"
if [ -e "$INI" ] && ! grep -qF "$INI_MARK" "$INI"; then
  echo "FAIL: $INI exists and is not this test's; move it away first" >&2
  exit 1
fi

rm -rf "$OUT"
SHOTS=$OUT/shots WORK=$OUT/work
mkdir -p "$SHOTS" "$WORK/home" "$WORK/config" "$WORK/data" "$WORK/cache" "$WORK/runtime"
chmod 700 "$WORK/runtime"

XVFB_PID="" APP_PID="" SOCAT_PID="" PASSED=0 SHOT_NO=0 STEP="starting"
cleanup() {
  trap - ERR
  local pid
  for pid in "$APP_PID" "$XVFB_PID" "$SOCAT_PID"; do
    [ -z "$pid" ] && continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ -e "$INI" ] && grep -qF "$INI_MARK" "$INI"; then rm -f "$INI"; fi
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
  echo "FAIL while $STEP: $*" >&2
  [ -z "$APP_PID" ] || kill -0 "$APP_PID" 2>/dev/null || echo "The program is no longer running." >&2
  [ -z "${DISPLAY:-}" ] || shot "failure" || true
  if [ -s "$WORK/vimsel.log" ]; then
    echo "--- program output ---" >&2
    tail -n 40 "$WORK/vimsel.log" >&2
  fi
  exit 1
}
trap 'fail "command failed (line $LINENO): $BASH_COMMAND"' ERR

LAST_SHOT=""
shot() {
  SHOT_NO=$((SHOT_NO + 1))
  LAST_SHOT=$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NO" "$1")
  import -display "$DISPLAY" -window root "$LAST_SHOT"
}

# "r,g,b" of a pixel of the last screenshot, in screen coordinates.
pixel() {
  convert "$LAST_SHOT" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
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

now_ms() { date +%s%3N; }

# ---- The board's stand-in ------------------------------------------------------------
STEP="making a pseudo-terminal pair"
socat pty,raw,echo=0,link="$WORK/board" pty,raw,echo=0,link="$WORK/host" 2>"$WORK/socat.log" &
SOCAT_PID=$!
links_ready() { [ -L "$WORK/board" ] && [ -L "$WORK/host" ]; }
wait_for "socat's pseudo-terminals" links_ready
PORT=$(readlink -f "$WORK/board")
printf '%s\r\n[Bluetooth]\r\nComPort=%s\r\n' "$INI_MARK" "$PORT" >"$INI"

# ---- X server and program ---------------------------------------------------------
STEP="starting Xvfb"
# -displayfd lets the server pick a free display, so parallel runs never collide.
Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp \
  3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
display_ready() { [ -s "$WORK/display" ] && grep -q '^[0-9]' "$WORK/display"; }
wait_for "Xvfb to report its display" display_ready
export DISPLAY=":$(head -n 1 "$WORK/display")"

# A scratch home: no settings of earlier runs.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data \
  XDG_CACHE_HOME=$WORK/cache XDG_RUNTIME_DIR=$WORK/runtime
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_STYLE_OVERRIDE

STEP="starting the program"
"$VIMSEL" >"$WORK/vimsel.log" 2>&1 &
APP_PID=$!

visible_windows() { xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; }
window_count() { visible_windows | wc -l; }
# The main window is the program's largest visible window.
main_window() {
  local w best="" area=0 WIDTH HEIGHT
  for w in $(visible_windows); do
    WIDTH=0 HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=' || true)"
    if [ $((WIDTH * HEIGHT)) -gt "$area" ]; then area=$((WIDTH * HEIGHT)) best=$w; fi
  done
  echo "$best"
}
# The main window and, above it, the balloon.
window_and_balloon() { [ "$(window_count)" -ge 2 ]; }
wait_for "the main window and the balloon" window_and_balloon
BALLOON_SEEN=$(now_ms)
WIN=$(main_window)
eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
BOTTOM=$((Y + HEIGHT))

# ---- Start-up: the port is listed, the balloon points at it ---------------------------
STEP="looking at the status bar"
sleep 0.5   # let the first paint settle
shot "start"
[ "$(pixel $((X + WIDTH - 40)) $((BOTTOM - 6)))" = "$LIME" ] || fail "no lime status bar at the window's bottom"
if [ -n "$DOC_SHOT" ]; then
  mkdir -p "$(dirname "$DOC_SHOT")"
  convert "$LAST_SHOT" -crop "${SHOT_W}x${SHOT_H}+${X}+$((BOTTOM - SHOT_H))" +repage "$DOC_SHOT"
fi

STEP="waiting for the balloon to go away by itself"
main_only() { [ "$(window_count)" -le 1 ]; }
TIMEOUT=$((BALLOON_MS / 1000 + 5)) wait_for "the balloon to hide" main_only
GONE_AFTER=$(($(now_ms) - BALLOON_SEEN))
# Seen a little after it was shown and polled every 0.1 s: it must have stayed most
# of its time, and not much longer.
[ "$GONE_AFTER" -ge $((BALLOON_MS - 1500)) ] || fail "the balloon went away after ${GONE_AFTER} ms"
[ "$GONE_AFTER" -le $((BALLOON_MS + 2000)) ] || fail "the balloon stayed ${GONE_AFTER} ms"
shot "balloon-gone"

# ---- Choosing the port ------------------------------------------------------------
STEP="choosing the port in the selector"
xdotool mousemove $((X + SELECTOR_FROM_BOTTOM_LEFT[0])) $((BOTTOM - SELECTOR_FROM_BOTTOM_LEFT[1])) click 1
list_open() { [ "$(window_count)" -ge 2 ]; }
wait_for "the selector's list to open" list_open
shot "list-open"
xdotool key Return
CONF=$WORK/config/Ombrinex/Vimsel.conf
choice_stored() { [ -f "$CONF" ] && grep -qx "BtPort=$PORT" "$CONF" && grep -qx "BtIndex=0" "$CONF"; }
wait_for "BtIndex=0 and BtPort=$PORT in $CONF" choice_stored
shot "chosen"

PASSED=1
echo "PASS: $PORT listed and chosen; the balloon went away after ${GONE_AFTER} ms"
