#!/usr/bin/env bash
# The road to the board as a pupil walks it: the real program runs as an ordinary user
# in the group dialout (made here when the test runs as root, as CI does; root would
# open ports that a pupil cannot), under Xvfb, with real X input, against a simulated
# Uno (vimsel_simboard running Optiboot behind a pseudo-terminal of mode 660 root:dialout,
# as a board's port is), whose port is the only one the program lists. Controls are found
# by their accessible names over AT-SPI (tests/e2e/atspi.py), not by pointer positions.
#
#   board-as-pupil.sh CASE VIMSEL SIMBOARD OPTIBOOT_HEX FIRMWARE_HEX PROJECT OUT_DIR
#
# CASE:
#   live-then-upload  live mode on: the firmware is burnt from the devices page, the
#                     project is sent with "Αποστολή" and starts on the board; then
#                     "Αποστολή στο Arduino" uploads the compiled sketch through the same
#                     port (live mode gives the port up) and the board runs it
#   board-gone        the board vanishes once the IDE's uploader has opened its port: the
#                     upload ends in a Greek failure within the stall limit (set to
#                     STALL seconds in Options.ini) and no process of the run is left
#   cancel            "Ακύρωση" during the upload: the pupil is told, and no process of
#                     the run (the IDE's launcher, java, avrdude) is left
#   burn-cancel       the firmware burn's own "Ακύρωση" while avrdude waits on the board:
#                     the pupil is told, and no avrdude is left
#   empty-live        "Αποστολή" in live mode with no start block: the message shows,
#                     and the window answers afterwards
#   no-dialout        a user outside the group dialout (vimselguest) presses "Αποστολή
#                     στο Arduino": told in Greek what to run and to log in again, and
#                     the IDE is not started (its own window about the group would wait)
set -eEuo pipefail

if [ $# -ne 7 ]; then
  sed -n '2,/^set /p' "$0" | sed '$d' >&2
  exit 2
fi
CASE=$1 VIMSEL=$2 SIMBOARD=$3 OPTIBOOT=$4 FIRMWARE=$5 PROJECT=$6 OUT=$7
TIMEOUT=20 STALL=15
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/harness.sh"

# ---- The pupil ----------------------------------------------------------------------
PUPIL=vimselpupil
[ "$CASE" != no-dialout ] || PUPIL=vimselguest
if [ "$(id -u)" -eq 0 ]; then
  id "$PUPIL" >/dev/null 2>&1 || useradd -m -s /bin/bash "$PUPIL"
  if [ "$CASE" = no-dialout ]; then gpasswd -d "$PUPIL" dialout >/dev/null 2>&1 || true; else usermod -aG dialout "$PUPIL"; fi
  AS_PUPIL=(runuser -u "$PUPIL" --)
  # The work folder is the pupil's; the folders above it must let them through.
  chown -R "$PUPIL" "$OUT"
  dir=$OUT
  while [ "$dir" != / ]; do chmod o+x "$dir" 2>/dev/null || true; dir=$(dirname "$dir"); done
else
  PUPIL=$(id -un)
  AS_PUPIL=()
  in_dialout=$(id -nG | grep -qw dialout && echo 1 || echo 0)
  if [ "$CASE" = no-dialout ] && [ "$in_dialout" = 1 ]; then echo "SKIP: $PUPIL is in the group dialout" >&2; exit 0; fi
  if [ "$CASE" != no-dialout ] && [ "$in_dialout" = 0 ]; then
    echo "SKIP: $PUPIL is not in the group dialout and cannot be put there" >&2
    exit 0
  fi
fi
as_pupil() { "${AS_PUPIL[@]}" env DISPLAY="$DISPLAY" HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" \
  XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache" \
  LANG=C.UTF-8 LC_ALL=C.UTF-8 "$@"; }
# Processes of the pupil's runs of the IDE and avrdude (a zombie holds nothing: it waits
# only for the system to take its exit status).
run_processes() {
  ps -u "$PUPIL" -o pid=,stat=,args= | awk '$2 !~ /^Z/ && /processing.app.Base|avrdude|\/usr\/bin\/arduino/ {print $1}'
}

BOARD_PID="" BUS_PID=""
trap '[ "$PASSED" = 1 ] || [ ! -s "${BOARD_LOG:-}" ] || { echo "--- board log ---" >&2; tail -n 20 "$BOARD_LOG" >&2; }
      [ -z "$BOARD_PID" ] || kill "$BOARD_PID" 2>/dev/null || true
      pkill -u "$PUPIL" -f "$WORK" 2>/dev/null || true
      [ -z "$BUS_PID" ] || kill "$BUS_PID" 2>/dev/null || true
      cleanup' EXIT

# ---- The board --------------------------------------------------------------------------
STEP="starting the simulated board"
PORT=$WORK/ttyUNO
program_copy "$VIMSEL" "$PORT"
mkdir -p "$PROG/Arduino"
cp "$FIRMWARE" "$PROG/Arduino/Morvane.ino.Uno.hex"
# The IDE as Debian installs it; live mode as a teacher sets it; a short stall limit.
printf '[Arduino]\r\nPath=/usr/bin\r\nUploadStallSeconds=%s\r\n[Live]\r\nEnabled=%s\r\n' "$STALL" \
  "$(case "$CASE" in live-then-upload | empty-live | burn-cancel) echo 1 ;; *) echo 0 ;; esac)" >"$PROG/Options.ini"
BOARD_LOG=$WORK/board.log
"$SIMBOARD" --bootloader "$OPTIBOOT" --port "$PORT" --realtime --seconds 0 --timeout 300 >"$BOARD_LOG" 2>&1 &
BOARD_PID=$!
board_ready() { kill -0 "$BOARD_PID" 2>/dev/null || fail "the simulated board exited"; grep -q '^ready ' "$BOARD_LOG"; }
wait_for "the simulated board" board_ready
# A board's port: root's, of the group dialout, which may read and write it.
chgrp dialout "$(readlink -f "$PORT")"
chmod 660 "$(readlink -f "$PORT")"
cp "$(dirname "$PROJECT")"/"$(basename "$PROJECT" .vzl)".* "$WORK/"
chown -R "$PUPIL" "$WORK"

# ---- The program, as the pupil, with a screen reader's view of it ----------------------
start_xvfb
STEP="starting the program as $PUPIL"
cat >"$WORK/session.sh" <<EOF
#!/bin/bash
eval "\$(dbus-launch --sh-syntax)"
echo "export DBUS_SESSION_BUS_ADDRESS='\$DBUS_SESSION_BUS_ADDRESS'" >"$WORK/bus.env"
echo "\$DBUS_SESSION_BUS_PID" >"$WORK/bus.pid"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb JAVA_TOOL_OPTIONS=-Duser.home=$WORK/home
exec "$PROG/vimsel" >"$WORK/vimsel.log" 2>&1
EOF
chmod 755 "$WORK/session.sh"
as_pupil "$WORK/session.sh" &
APP_PID=$!
window_shown() { kill -0 "$APP_PID" 2>/dev/null || fail "the program exited"; main_window; }
wait_for "the main window" window_shown
window_geometry
BUS_PID=$(cat "$WORK/bus.pid" 2>/dev/null || true)
xdotool windowfocus "$WIN" 2>/dev/null || true
sleep 1
shot "started"

atspi() { as_pupil bash -c '. "$1/bus.env"; shift; exec /usr/bin/python3 "$@"' _ "$WORK" "$HERE/atspi.py" "$@"; }
# Waits until a control of the window shows TEXT (its name or its text).
expect_text() { # TEXT [SECONDS]
  ATSPI_TIMEOUT=${2:-20} atspi has "$1" || fail "nothing in the window says \"$1\""
}
# The pupil answers the message box or question that has come up with Enter.
answer_dialog() { # what
  wait_for_dialog "$1"
  shot "$(echo "$1" | tr ' ' '-')"
  xdotool key Return
  wait_for_dialog_closed "$1 to close"
}
message_text() { atspi dialog 2>/dev/null || true; }

# What the board did since its last reset.
since_start() { awk '/^start /{out = ""} {out = out $0 "\n"} END{printf "%s", out}' "$BOARD_LOG"; }

upload_with_the_ide() {
  STEP="pressing Αποστολή στο Arduino"
  press "Αποστολή στο Arduino" "push button"
  wait_for_dialog "the question Να σταλεί στο Arduino;"
  shot "question"
  xdotool key Return
  wait_for_dialog_closed "the question"
  expect_text "Αποστολή στο Arduino…" 10
}

# The board stops answering once the uploader has opened its port (the board's log
# counted OPENS opens before), so that avrdude (for an upload a grandchild of the
# launcher) is sure to be running when the pupil presses the cancel button BUTTON; the
# message must hold SAID, and no process of the run may be left.
cancel_while_avrdude_waits() { # OPENS BUTTON SAID
  STEP="cancelling with $2 while avrdude waits on the board"
  uploader_open() { [ "$(grep -c '^open ' "$BOARD_LOG" || true)" -gt "$1" ]; }
  TIMEOUT=90 wait_for "the uploader to open the port" uploader_open "$1"
  kill -STOP "$BOARD_PID"
  avrdude_runs() { pgrep -u "$PUPIL" -x avrdude >/dev/null; }
  wait_for "avrdude to run" avrdude_runs
  sleep 1
  shot "running"
  press "$2" "push button"
  TIMEOUT=10 wait_for_dialog "the message about the cancel"
  shot "cancelled"
  result=$(message_text)
  echo "$result" | grep -q "$3" || fail "the cancel is not said: $result"
  xdotool key Return
  wait_for_dialog_closed "the message about the cancel"
  kill -CONT "$BOARD_PID"
  [ -z "$(run_processes)" ] || fail "processes of the run are left: $(ps -o pid,args -p "$(run_processes | tr '\n' ',' | sed 's/,$//')")"
}

case "$CASE" in
live-then-upload)
  STEP="burning the firmware from the devices page"
  press "Συσκευές" "page tab"
  sleep 0.5
  press "Φόρτωση Λογισμικού στο Arduino" "push button"
  TIMEOUT=90 wait_for_dialog "the burn's result"
  shot "burnt"
  expect_text "Burning Complete!!!" 5
  xdotool key Return
  wait_for_dialog_closed "the burn's result"
  firmware_ready() { since_start | grep -q '^text .*Morvane ready'; }
  TIMEOUT=10 wait_for "the firmware's \"Morvane ready\"" firmware_ready

  STEP="sending the project in live mode"
  open_project "$WORK/$(basename "$PROJECT")"
  press "Πρόγραμμα" "page tab"
  press "Αποστολή" "push button"
  program_started() { since_start | grep -q '^text .*Program start'; }
  TIMEOUT=30 wait_for "the firmware's \"Program start\"" program_started
  expect_text "Το πρόγραμμα τρέχει στο Arduino." 10
  shot "live-running"

  STEP="uploading the sketch through the same port"
  starts=$(grep -c '^start ' "$BOARD_LOG")
  upload_with_the_ide
  TIMEOUT=120 wait_for_dialog "the upload's result"
  shot "uploaded"
  result=$(message_text)
  echo "$result" | grep -q "Το πρόγραμμα στάλθηκε στο Arduino." || fail "the upload did not reach the board: $result"
  xdotool key Return
  wait_for_dialog_closed "the upload's result"
  # The board restarted into the uploaded sketch, which blinks pin 13 by itself.
  [ "$(grep -c '^start ' "$BOARD_LOG")" -gt "$starts" ] || fail "the board never started the uploaded sketch"
  blinks() { [ "$(since_start | grep -c '^pin B5 ')" -ge 3 ]; }
  TIMEOUT=10 wait_for "the uploaded blink" blinks
  ! since_start | grep -q 'Morvane ready' || fail "the firmware still runs after the upload"
  ;;
board-gone)
  open_project "$WORK/$(basename "$PROJECT")"
  opens=$(grep -c '^open ' "$BOARD_LOG" || true)
  upload_with_the_ide
  STEP="unplugging the board while the uploader holds its port"
  uploader_open() { [ "$(grep -c '^open ' "$BOARD_LOG" || true)" -gt "$opens" ]; }
  TIMEOUT=90 wait_for "the uploader to open the port" uploader_open
  sleep 0.3
  kill "$BOARD_PID"
  wait "$BOARD_PID" 2>/dev/null || true
  BOARD_PID=""
  gone_at=$SECONDS
  shot "unplugged"
  STEP="waiting for the upload to give up"
  TIMEOUT=$((STALL + 30)) wait_for_dialog "the upload's result"
  took=$((SECONDS - gone_at))
  shot "failed"
  result=$(message_text)
  echo "$result" | grep -q "δεν στάλθηκε" || fail "the failure is not said: $result"
  echo "$result" | grep -q "Για $STALL δευτερόλεπτα" || fail "the stall is not named: $result"
  echo "$result" | grep -q "χάθηκε" || fail "the lost board is not named: $result"
  ! echo "$result" | grep -q "Το πρόγραμμα στάλθηκε" || fail "a failure reported as success: $result"
  xdotool key Return
  wait_for_dialog_closed "the upload's result"
  [ -z "$(run_processes)" ] || fail "processes of the run are left: $(ps -o pid,args -p "$(run_processes | tr '\n' ',' | sed 's/,$//')")"
  echo "the upload gave up ${took}s after the board went (limit ${STALL}s)"
  ;;
cancel)
  open_project "$WORK/$(basename "$PROJECT")"
  opens=$(grep -c '^open ' "$BOARD_LOG" || true)
  upload_with_the_ide
  cancel_while_avrdude_waits "$opens" "Ακύρωση" "Η αποστολή ακυρώθηκε"
  ;;
burn-cancel)
  press "Συσκευές" "page tab"
  sleep 0.5
  opens=$(grep -c '^open ' "$BOARD_LOG" || true)
  press "Φόρτωση Λογισμικού στο Arduino" "push button"
  cancel_while_avrdude_waits "$opens" "Ακύρωση εγγραφής λογισμικού" "ακυρώθηκε"
  ;;
empty-live)
  STEP="Αποστολή with an empty canvas"
  press "Αποστολή" "push button"
  wait_for_dialog "the message about the start block"
  shot "no-start-block"
  result=$(message_text)
  echo "$result" | grep -q 'Δεν βρέθηκε το block "Έναρξη Προγράμματος"' || fail "wrong message: $result"
  xdotool key Return
  wait_for_dialog_closed "the message"
  STEP="checking that the window answers"
  # No progress box is left behind: a menu opens and the about box shows.
  press "Σχετικά..." "menu item"
  wait_for_dialog "the about box"
  shot "answers"
  xdotool key Escape
  wait_for_dialog_closed "the about box"
  ;;
no-dialout)
  open_project "$WORK/$(basename "$PROJECT")"
  STEP="pressing Αποστολή στο Arduino outside the group dialout"
  press "Αποστολή στο Arduino" "push button"
  wait_for_dialog "the question Να σταλεί στο Arduino;"
  xdotool key Return
  wait_for_dialog_closed "the question"
  # It follows the question at once, so the main window may have taken the focus back.
  wait_for_unfocused_dialog "the message about the permission"
  shot "no-permission"
  result=$(message_text)
  echo "$result" | grep -qF 'sudo usermod -aG dialout $USER' || fail "the command to run is not said: $result"
  echo "$result" | grep -q "αποσυνδεθείτε και συνδεθείτε ξανά" || fail "logging in again is not said: $result"
  [ -z "$(run_processes)" ] || fail "the IDE was started all the same"
  xdotool key Return
  wait_for_dialog_closed "the message"
  ;;
*)
  fail "unknown case $CASE"
  ;;
esac

PASSED=1
echo "PASS [$CASE]"
