#!/usr/bin/env bash
# "Αποστολή στο Arduino" in the real program under Xvfb, with real X input: a project
# is opened through the open dialog, the button is pressed, the question answered
# with Enter, and the stand-in IDE (tests/data/stand-in-ide, set in the program's
# "Options.ini") compiles the sketch and "uploads" it to the one port listed: a name
# fixed in the program's "BTPort.ini" (the stand-in opens no port), so that the run
# does not depend on the machine's serial ports. The result comes as a Greek message.
#
#   send-to-board.sh checked|error|real-error VIMSEL IDE_FOLDER PROJECT OUT_DIR
#   send-to-board.sh uploaded VIMSEL IDE_FOLDER PROJECT OUT_DIR PORT
#
# checked: the project compiles; Output.ino is the expected sketch (PROJECT with the
#          extension .ino) and the IDE was asked to upload it to the Uno on that port.
# error:   one wait of the project waits 4321 ms, which the stand-in IDE reports as a
#          compile error at that line: the block is outlined in orange on the canvas.
# uploaded: the real IDE (e.g. /usr/bin) uploads to the real PORT, a simulated board
#          (tests/arduino/upload-simulated.sh runs this case and checks the board).
# real-error: the real IDE compiles a project whose first wait block says
#          "delay(ekso);" (an unknown name, as a hand-edited or old file may have):
#          its block is outlined.
#
# The program runs from a copy in OUT_DIR, so that its writable folder ("Out",
# "Options.ini", "BTPort.ini") is the test's own.
set -eEuo pipefail

# Window-relative points (DejaVu fonts, the window as the program opens it).
SEND_BUTTON=(545 39)     # the tool bar's "Αποστολή στο Arduino"
CANVAS=(330 95 650 590)  # x y width height of the visible canvas
HIGHLIGHT="255,140,0"    # the outline of the block a message points at

if [ $# -lt 5 ] || { [ "$1" = uploaded ] && [ $# -ne 6 ]; }; then
  echo "usage: $0 checked|error VIMSEL STAND_IN_IDE_FOLDER PROJECT OUT_DIR" >&2
  echo "       $0 uploaded VIMSEL IDE_FOLDER PROJECT OUT_DIR PORT" >&2
  exit 2
fi
CASE=$1 VIMSEL=$2 IDE=$3 SOURCE_PROJECT=$4 OUT=$5
case "$CASE" in checked | error | uploaded | real-error) ;; *) echo "unknown case '$CASE'" >&2; exit 2 ;; esac

source "$(dirname "$0")/harness.sh"

STEP="preparing the program's folder and the project"
PORT=${6:-$WORK/board}
program_copy "$VIMSEL" "$PORT"
# The real IDE keeps its preferences in the scratch home (Java ignores $HOME).
export JAVA_TOOL_OPTIONS=-Duser.home=$WORK/home
printf '[Arduino]\r\nPath=%s\r\n' "$IDE" >"$PROG/Options.ini"
export STAND_IN_IDE_LOG=$WORK/ide.log
base=$(basename "${SOURCE_PROJECT%.vzl}")
PROJECT=$WORK/$base.vzl
for ext in vzl adv var; do cp "${SOURCE_PROJECT%.vzl}.$ext" "$WORK/$base.$ext"; done
if [ "$CASE" = error ]; then
  # The first "Param1 = 500" in the file belongs to a wait block.
  sed -i '0,/^  Param1 = 500\r$/s//  Param1 = 4321\r/' "$PROJECT"
  grep -q 'Param1 = 4321' "$PROJECT" || fail "no wait of 500 ms in $SOURCE_PROJECT"
elif [ "$CASE" = real-error ]; then
  sed -i "0,/^  ArduCmd = 'delay(%p1);'\r\$/s//  ArduCmd = 'delay(ekso);'\r/" "$PROJECT"
  grep -q "delay(ekso)" "$PROJECT" || fail "no wait block in $SOURCE_PROJECT"
fi

start_xvfb
start_program "$PROG/vimsel"
shot "started"

open_project "$PROJECT"

STEP="pressing Αποστολή στο Arduino"
xdotool mousemove "$(abs_x "${SEND_BUTTON[0]}")" "$(abs_y "${SEND_BUTTON[1]}")" click 1
wait_for_dialog "the question Να σταλεί στο Arduino;"
shot "question"
xdotool key Return

STEP="waiting for the IDE and the result"
if [ "$CASE" = uploaded ] || [ "$CASE" = real-error ]; then
  # A real compile (and upload).
  TIMEOUT=180 wait_for_dialog "the message with the result"
else
  ide_called() { [ -s "$STAND_IN_IDE_LOG" ]; }
  wait_for "the IDE to be started" ide_called
  wait_for_dialog "the message with the result"
  STEP="checking what the IDE was given"
  read -r call <"$STAND_IN_IDE_LOG"
  case "$call" in
    "board=arduino:avr:uno port=$PORT mode=upload sketch=$PROG/Out/Output.ino") ;;
    *) fail "the IDE was called as: $call" ;;
  esac
fi
shot "result"

if [ "$CASE" = checked ] || [ "$CASE" = uploaded ]; then
  cmp -s "${SOURCE_PROJECT%.vzl}.ino" "$PROG/Out/Output.ino" \
    || fail "Out/Output.ino differs from ${SOURCE_PROJECT%.vzl}.ino"
fi

STEP="closing the message"
xdotool key Return
wait_for_dialog_closed "the message to close"
sleep 0.3
shot "after"

if [ "$CASE" = error ] || [ "$CASE" = real-error ]; then
  STEP="looking for the outlined block"
  outlined=$(import -display "$DISPLAY" -window root \
    -crop "${CANVAS[2]}x${CANVAS[3]}+$(abs_x "${CANVAS[0]}")+$(abs_y "${CANVAS[1]}")" +repage -depth 8 txt:- \
    | grep -c "($HIGHLIGHT)" || true)
  [ "$outlined" -gt 100 ] || fail "no block outlined in orange on the canvas ($outlined pixels)"
fi

PASSED=1
echo "[$CASE] passed in ${SECONDS}s"
