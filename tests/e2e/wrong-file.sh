#!/usr/bin/env bash
# Opening files that are no projects, or damaged ones, in the real program under Xvfb
# with real X input, while a program is on the canvas:
#   not-a-project  random bytes named .vzl: a Greek message naming the file; the program
#                  on the canvas stays as it was (its start block still drawn, its file
#                  still named in the status bar), and the window goes on working
#   damaged        a project whose file stops half-way: a Greek summary of what was
#                  read, with the reader's lines under "Εμφάνιση λεπτομερειών...", then
#                  what was read is shown
#
#   wrong-file.sh CASE VIMSEL PROJECT OUT_DIR
#
# With VIMSEL_SCREENSHOT_DIR set, the message of the damaged case is saved there.
set -eEuo pipefail

# Window-relative point inside the start block of the blink example as it opens.
PROBE_START=(430 183)
START_COLOUR="0,128,0"

if [ $# -ne 4 ]; then
  sed -n '2,/^set /p' "$0" | sed '$d' >&2
  exit 2
fi
CASE=$1 VIMSEL=$2 PROJECT=$3 OUT=$4
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/harness.sh"

program_copy "$VIMSEL" /dev/ttyVIMSEL0
cp "$(dirname "$PROJECT")"/"$(basename "$PROJECT" .vzl)".* "$WORK/"
start_xvfb
start_screen_reader_bus
start_program "$PROG/vimsel"

open_project "$WORK/$(basename "$PROJECT")"
expect_colour "the blink's start block" "${PROBE_START[@]}" "$START_COLOUR"

STEP="opening the wrong file"
case "$CASE" in
not-a-project)
  WRONG=$WORK/homework.vzl
  head -c 3000 /dev/urandom >"$WRONG"
  ;;
damaged)
  # The blink's program file cut in the middle of its fourth block.
  WRONG=$WORK/damaged.vzl
  cp "$WORK/blink.adv" "$WORK/damaged.adv"
  cp "$WORK/blink.var" "$WORK/damaged.var"
  awk '/^object /{n++} n == 4 && /Top/ {exit} {print}' "$WORK/blink.vzl" >"$WRONG"
  ;;
*)
  fail "unknown case $CASE"
  ;;
esac
xdotool key ctrl+o
wait_for_dialog "the open dialog"
xdotool type --delay 20 "$WRONG"
xdotool key Return
wait_for_dialog_closed "the open dialog to close"
# The message follows the dialog at once: it may not have the focus.
wait_for_unfocused_dialog "the message about the file"
shot "message"
message=$(atspi dialog) || fail "the message cannot be read"
echo "$message" | grep -qF "$(basename "$WRONG")" || fail "the message does not name the file: $message"
! echo "$message" | grep -q '[A-Za-z]\{4,\} [a-z]\{3,\} [a-z]\{3,\}' || fail "English in the message: $message"
case "$CASE" in
not-a-project)
  echo "$message" | grep -q "δεν άνοιξε" || fail "wrong message: $message"
  echo "$message" | grep -q "έμεινε όπως ήταν" || fail "the message does not say the program is kept: $message"
  ;;
damaged)
  echo "$message" | grep -q "φορτώθηκαν [0-9]* από τα [0-9]* blocks" || fail "no summary of what was read: $message"
  STEP="unfolding the details"
  xy=$(atspi find "Εμφάνιση λεπτομερειών..." "push button") || fail "no details button"
  # shellcheck disable=SC2086
  xdotool mousemove $xy click 1
  sleep 0.5
  shot "details"
  if [ -n "${VIMSEL_SCREENSHOT_DIR:-}" ]; then
    import -display "$DISPLAY" -window "$DIALOG" "$VIMSEL_SCREENSHOT_DIR/damaged-file-message.png"
  fi
  ;;
esac
STEP="closing the message with Εντάξει"
xy=$(atspi find "Εντάξει" "push button") || fail "no button Εντάξει"
# shellcheck disable=SC2086
xdotool mousemove $xy click 1
wait_for_dialog_closed "the message"
shot "after"

STEP="checking the window after the message"
kill -0 "$APP_PID" 2>/dev/null || fail "the program vanished"
case "$CASE" in
not-a-project)
  expect_colour "the blink's start block, still there" "${PROBE_START[@]}" "$START_COLOUR"
  ATSPI_TIMEOUT=3 atspi has "blink.vzl" || fail "the status bar no longer names blink.vzl"
  ;;
damaged)
  expect_colour "the start block of what was read" "${PROBE_START[@]}" "$START_COLOUR"
  ;;
esac
# The window answers: the about box opens and closes.
xy=$(atspi find "Σχετικά..." "menu item") || fail "no menu item Σχετικά..."
# shellcheck disable=SC2086
xdotool mousemove $xy click 1
wait_for_dialog "the about box"
xdotool key Escape
wait_for_dialog_closed "the about box"
kill -0 "$APP_PID" 2>/dev/null || fail "the program vanished"

PASSED=1
echo "PASS [$CASE]"
