#!/usr/bin/env bash
# Nothing a pupil does is lost, in the real program under Xvfb with real X input:
# a block dropped on the trash comes back with Ctrl+Z; then the program is killed
# with the change unsaved, and the next start offers the copy it kept aside, which
# brings the block back again.
#
#   undo-and-recovery.sh VIMSEL OUT_DIR
#
# The program runs from a copy in OUT_DIR with "Options.ini" setting the autosave to
# one second.
set -eEuo pipefail

# Window-relative points (DejaVu fonts, the window as the program opens it).
PALETTE_START=(30 160)   # grabs "Έναρξη προγράμματος" 15 px right of, 8 px below its corner
DROP_START=(450 160)
PROBE_START=(439 158)    # inside the dropped start block
OVER_TRASH=(363 120)     # the grab point that puts the block's corner on the trash
START_COLOUR="0,128,0"

if [ $# -ne 2 ]; then
  echo "usage: $0 VIMSEL OUT_DIR" >&2
  exit 2
fi
CASE=undo VIMSEL=$1 OUT=$2
source "$(dirname "$0")/harness.sh"

program_copy "$VIMSEL" /dev/ttyVIMSEL0
printf '[Autosave]\r\nSeconds=1\r\n' >"$PROG/Options.ini"
start_xvfb
start_program "$PROG/vimsel"
shot "started"

STEP="dropping the start block on the canvas"
drag "${PALETTE_START[@]}" "${DROP_START[@]}"
expect_colour "the start block on the canvas" "${PROBE_START[@]}" "$START_COLOUR"

STEP="dropping it on the trash"
drag "${DROP_START[@]}" "${OVER_TRASH[@]}"
expect_colour "the bare canvas where the block was" "${PROBE_START[@]}" "$CANVAS_GREY"
shot "trashed"

STEP="undoing with Ctrl+Z"
xdotool key ctrl+z
expect_colour "the block back after Ctrl+Z" "${PROBE_START[@]}" "$START_COLOUR"
shot "undone"

STEP="killing the program with the change unsaved"
copy_written() { [ -s "$WORK/data/Ombrinex/Έλεγχος συσκευών Arduino/recovery/recovery.ini" ] || \
  find "$WORK/data" -name recovery.ini -size +0 2>/dev/null | grep -q .; }
wait_for "the recovery copy" copy_written
sleep 1.5   # the copy after the undo
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""

STEP="starting again"
start_program "$PROG/vimsel"
wait_for_unfocused_dialog "the offer of the recovery copy"
shot "offer"
xdotool key Return
wait_for_dialog_closed "the offer to close"
expect_colour "the recovered start block" "${PROBE_START[@]}" "$START_COLOUR"
shot "recovered"

PASSED=1
echo "[$CASE] passed in ${SECONDS}s"
