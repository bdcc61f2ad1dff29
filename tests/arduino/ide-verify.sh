#!/usr/bin/env bash
# Verifies (compiles) a sketch with the Arduino IDE's own command line, the way the
# program runs it, pointing the IDE's sketchbook at the folder that holds the device
# libraries (<sketchbook>/libraries/<Name>). The IDE keeps its preferences in a
# scratch home folder, not in the user's.
#
# usage: ide-verify.sh <sketch.ino> <sketchbook> <scratch-dir>
set -uo pipefail

sketch="$1" sketchbook="$2" scratch="$3"
if ! command -v arduino >/dev/null || [ ! -d /usr/share/arduino/hardware/arduino/avr ]; then
  echo "The Arduino IDE (Debian package arduino) is not installed: run scripts/install-deps.sh first." >&2
  exit 1
fi
rm -rf "$scratch" && mkdir -p "$scratch/home" "$scratch/build"

export JAVA_TOOL_OPTIONS="-Duser.home=$scratch/home"
arduino --verify --board arduino:avr:uno \
  --pref "sketchbook.path=$sketchbook" \
  --pref "build.path=$scratch/build" \
  --pref compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ \
  "$sketch" >"$scratch/verify.log" 2>&1
rc=$?
grep -E 'Sketch uses|Global variables use|error' "$scratch/verify.log"
if [ $rc -ne 0 ]; then
  echo "arduino --verify failed ($rc):" >&2
  tail -30 "$scratch/verify.log" >&2
  exit 1
fi
# The libraries must have come from the sketchbook, not from anywhere else.
if ! grep -rqs "$sketchbook/libraries/MVRobot" "$scratch/build/includes.cache"; then
  echo "the robot library was not taken from $sketchbook/libraries" >&2
  exit 1
fi
