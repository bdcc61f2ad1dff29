#!/usr/bin/env bash
# Shared by the end-to-end tests: an X server of their own, a scratch home, the real
# program, and real pointer and key events. A test script sets CASE, OUT (its output
# folder) and, optionally, TIMEOUT, DRAG_STEPS and STEP_DELAY, then sources this file
# and calls start_xvfb and start_program.
#
# Screenshots of every step go to $OUT/shots; they are kept when the test fails (or
# always with VIMSEL_E2E_KEEP=1), and removed with the rest of $OUT otherwise.

: "${TIMEOUT:=15}" "${DRAG_STEPS:=10}" "${STEP_DELAY:=0.05}" "${SCREEN_W:=1280}" "${SCREEN_H:=900}"
CANVAS_GREY="192,192,192"

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done

rm -rf "$OUT"
SHOTS=$OUT/shots WORK=$OUT/work
mkdir -p "$SHOTS" "$WORK/home" "$WORK/config" "$WORK/data" "$WORK/cache" "$WORK/runtime"
chmod 700 "$WORK/runtime"

XVFB_PID="" APP_PID="" PASSED=0 SHOT_NO=0 STEP="starting"
cleanup() {
  trap - ERR
  if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; wait "$APP_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
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
  echo "FAIL [$CASE] while $STEP: $*" >&2
  [ -z "$APP_PID" ] || kill -0 "$APP_PID" 2>/dev/null || echo "The program is no longer running." >&2
  shot "failure" || true
  if [ -s "$WORK/vimsel.log" ]; then
    echo "--- program output ---" >&2
    tail -n 40 "$WORK/vimsel.log" >&2
  fi
  exit 1
}
trap 'fail "command failed (line $LINENO): $BASH_COMMAND"' ERR

shot() {
  SHOT_NO=$((SHOT_NO + 1))
  import -display "$DISPLAY" -window root "$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NO" "$1")"
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

# ---- X server and program -------------------------------------------------------
# True once a client can connect to $DISPLAY (tried for up to 5 s) and the server
# started there is ours: a server that could not take the display's sockets says so in
# its log and keeps running, and a client would then reach whichever server holds them.
display_accepts() {
  local i
  for i in $(seq 50); do
    kill -0 "$XVFB_PID" 2>/dev/null || return 1
    grep -q -i "already" "$WORK/xvfb.log" && return 1
    if xdotool getmouselocation >/dev/null 2>&1; then
      ! grep -q -i "already" "$WORK/xvfb.log"
      return
    fi
    sleep 0.1
  done
  return 1
}

start_xvfb() {
  STEP="starting Xvfb"
  # Each run takes a display number at random from a wide range rather than the lowest
  # free one: a server that has just been stopped may still hold the sockets of a low
  # number for a moment after giving up its lock, and a new server on that number would
  # then listen nowhere. A number that turns out taken is simply given up for another.
  local attempt number
  for attempt in $(seq 10); do
    number=$((100 + (RANDOM * 32768 + RANDOM) % 800))
    [ ! -e "/tmp/.X$number-lock" ] || continue
    # -noreset: the server would otherwise start over when the last client (the check
    # that follows) leaves, and a program connecting just then would be turned away.
    Xvfb ":$number" -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$number"
    if display_accepts; then break; fi
    echo "[$CASE] Xvfb on $DISPLAY did not come up as ours; trying another display" >&2
    cat "$WORK/xvfb.log" >&2 || true
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  done
  [ -n "$XVFB_PID" ] || fail "no X server could be started"
  # A scratch home: no stored window geometry or file dialog history from earlier runs.
  export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data \
    XDG_CACHE_HOME=$WORK/cache XDG_RUNTIME_DIR=$WORK/runtime
  export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
  unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_STYLE_OVERRIDE
}

# The main window is the largest visible window of the program (tooltips and, later,
# dialogs share its class name).
main_window() {
  local w best="" area=0 WIDTH HEIGHT
  for w in $(xdotool search --onlyvisible --classname vimsel 2>/dev/null || true); do
    WIDTH=0 HEIGHT=0  # a tooltip may be gone before its size is asked for
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=' || true)"
    # The port's balloon may map before the window itself: no window that small is it.
    [ "$WIDTH" -ge 400 ] && [ "$HEIGHT" -ge 300 ] || continue
    if [ $((WIDTH * HEIGHT)) -gt $area ]; then area=$((WIDTH * HEIGHT)) best=$w; fi
  done
  [ -n "$best" ] && WIN=$best
}
# A copy of the program in a folder of the test's own, which becomes the program's
# writable folder ("Out", "Options.ini", "BTPort.ini"): the build tree stays untouched
# and parallel runs do not meet. With a port, "BTPort.ini" fixes the port list to it,
# so the run does not depend on the serial ports the machine has. Sets PROG.
program_copy() { # VIMSEL [PORT]
  PROG=$WORK/program
  mkdir -p "$PROG"
  cp "$1" "$PROG/vimsel"
  if [ -n "${2:-}" ]; then printf '[Bluetooth]\r\nComPort=%s\r\n' "$2" >"$PROG/BTPort.ini"; fi
}

# Starts the program and waits for its main window; WIN, WIN_X, WIN_Y describe it.
start_program() { # VIMSEL [ARGUMENT...]
  STEP="starting the program"
  "$@" >"$WORK/vimsel.log" 2>&1 &
  APP_PID=$!
  window_shown() { kill -0 "$APP_PID" 2>/dev/null || fail "the program exited"; main_window; }
  wait_for "the main window" window_shown
  window_geometry
  # No window manager gives the new window the keyboard focus: shortcuts need it.
  xdotool windowfocus "$WIN" 2>/dev/null || true
}

window_geometry() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
}

# ---- Input helpers ----------------------------------------------------------------
# Window-relative points become screen points.
abs_x() { echo $((WIN_X + $1)); }
abs_y() { echo $((WIN_Y + $1)); }

# Press, move in steps, release: a single jump is not a drag.
drag() {
  local x1 y1 x2 y2 i
  x1=$(abs_x "$1") y1=$(abs_y "$2") x2=$(abs_x "$3") y2=$(abs_y "$4")
  xdotool mousemove "$x1" "$y1"
  sleep "$STEP_DELAY"
  xdotool mousedown 1
  for ((i = 1; i <= DRAG_STEPS; i++)); do
    sleep "$STEP_DELAY"
    xdotool mousemove $((x1 + (x2 - x1) * i / DRAG_STEPS)) $((y1 + (y2 - y1) * i / DRAG_STEPS))
  done
  sleep "$STEP_DELAY"
  xdotool mouseup 1
}

pixel_at() { # x y (screen) → "r,g,b"
  import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null \
    | sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

# Waits until the window-relative point shows the colour.
expect_colour() { # what x y colour
  local x y seen="" hint=""
  x=$(abs_x "$2") y=$(abs_y "$3")
  local deadline=$((SECONDS + 5))
  while :; do
    seen=$(pixel_at "$x" "$y" || true)
    [ "$seen" = "$4" ] && return 0
    [ $SECONDS -lt $deadline ] || break
    sleep 0.1
  done
  [ "$seen" = "$CANVAS_GREY" ] && hint=" (bare canvas)"
  fail "$1 should show at $x,$y (rgb $4), found rgb $seen$hint"
}

# The dialog is the window that takes the keyboard focus from the main window.
dialog_focused() {
  DIALOG=$(xdotool getwindowfocus 2>/dev/null || true)
  [ -n "$DIALOG" ] && [ "$DIALOG" != "$WIN" ] && { xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | grep -qx "$DIALOG"
}
# The focused window once it is a new one of the program (a dialog or message box);
# DIALOG names it.
wait_for_dialog() { # what
  wait_for "$1" dialog_focused
  sleep 0.3
}

# A dialog that opened without taking the focus (no window manager gives it): the
# largest other visible window of the program that is not a small balloon (lower than
# DIALOG_MIN_HEIGHT, 90 unless set). It gets the focus; DIALOG names it.
unfocused_dialog() {
  local w best="" area=0 WIDTH HEIGHT
  for w in $(xdotool search --onlyvisible --classname vimsel 2>/dev/null || true); do
    [ "$w" = "$WIN" ] && continue
    WIDTH=0 HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=' || true)"
    if [ "$HEIGHT" -ge "${DIALOG_MIN_HEIGHT:-90}" ] && [ $((WIDTH * HEIGHT)) -gt $area ]; then area=$((WIDTH * HEIGHT)) best=$w; fi
  done
  [ -n "$best" ] || return 1
  DIALOG=$best
  xdotool windowfocus "$DIALOG" 2>/dev/null || true
  # Keys go to it only once the X server says it has the focus.
  [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$DIALOG" ]
}
wait_for_unfocused_dialog() { # what
  wait_for "$1" unfocused_dialog
  sleep 0.3
}

# Opens a project as a pupil does: Ctrl+O, its name typed into the open dialog, Enter.
open_project() { # FILE
  STEP="opening the project"
  xdotool key ctrl+o
  wait_for_dialog "the open dialog"
  xdotool type --delay 20 "$1"
  xdotool key Return
  wait_for_dialog_closed "the open dialog to close"
  sleep 0.3
  shot "opened"
}

# Waits until the last dialog is gone and gives the main window the focus back (no
# window manager does).
wait_for_dialog_closed() { # what
  dialog_gone() { ! { xdotool search --onlyvisible --classname vimsel 2>/dev/null || true; } | grep -qx "$DIALOG"; }
  wait_for "$1" dialog_gone
  xdotool windowfocus "$WIN" 2>/dev/null || true
  sleep 0.2
}

# ---- A screen reader's view --------------------------------------------------------
# A session bus of the test's own with the AT-SPI bus on it, so that controls can be
# found by their accessible names (atspi, tests/e2e/atspi.py). Call after start_xvfb
# and before start_program.
start_screen_reader_bus() {
  eval "$(dbus-launch --sh-syntax)"
  trap 'kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true; cleanup' EXIT
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
atspi() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi.py" "$@"; }
# Clicks the control called NAME (of ROLE, e.g. "push button"), found as a screen
# reader finds it.
press() { # NAME [ROLE]
  local xy
  xy=$(atspi find "$@") || fail "no control called \"$1\" is shown: $(atspi dump 2>/dev/null | cut -f1,2 | tr '\n' ';' | tail -c 600)"
  # shellcheck disable=SC2086
  xdotool mousemove $xy
  sleep 0.2
  xdotool click 1
}
