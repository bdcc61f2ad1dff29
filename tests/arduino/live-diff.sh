#!/usr/bin/env bash
# The differential test of the interpreter firmware: a program sent in live mode must
# make the board do what its compiled sketch does.
#
# usage: live-diff.sh prepare <dir> <vimsel_live_stream> <examples-dir> <libraries-dir>
#          writes the corpus (sketch, recorded live stream and simulator options per
#          program) into <dir>/corpus and compiles every sketch for the Uno
#        live-diff.sh run <dir> <case> <vimsel_simavr> <firmware.elf>
#          runs the case's sketch and the firmware fed with its stream in simavr and
#          compares them (live_diff.py); the traces stay in <dir>/runs/<case>
#
# The sketches are compiled as the Arduino IDE does, except without link-time
# optimisation: with it, setup() and loop() melt into main() and nothing marks where
# the program starts; without it, loop() is a function of its own whose first
# instruction is the start. The code is otherwise the same, and any difference in
# timing is of the order of a few instructions.
set -uo pipefail

mode="$1"
dir="$2"
here=$(cd "$(dirname "$0")" && pwd)

prepare() {
  local recorder="$1" examples="$2" libraries="$3"
  local hardware=/usr/share/arduino/hardware
  if ! command -v arduino-builder >/dev/null || ! command -v avr-gcc >/dev/null || [ ! -d "$hardware/arduino/avr" ]; then
    echo "The Arduino toolchain (arduino-builder, arduino-core-avr, gcc-avr, avr-libc) is not installed:" >&2
    echo "run scripts/install-deps.sh first." >&2
    return 1
  fi
  rm -rf "$dir/corpus" "$dir/builds" "$dir/runs"
  "$recorder" --corpus "$dir/corpus" "$examples" || { echo "the corpus could not be recorded" >&2; return 1; }
  mkdir -p "$dir/core-cache"
  local failed=0 ino name out
  for ino in "$dir"/corpus/*/*.ino; do
    name=$(basename "$ino" .ino)
    out="$dir/builds/$name"
    mkdir -p "$out"
    # Debian's core uses DECIMAL_DIG, which avr-gcc 5.4 defines for C only.
    if ! arduino-builder -compile -hardware "$hardware" -tools "$hardware/tools" -fqbn arduino:avr:uno \
        -build-path "$out" -build-cache "$dir/core-cache" -libraries "$libraries" \
        -prefs "compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ -fno-lto" \
        -prefs "compiler.c.extra_flags=-fno-lto" "$ino" >"$out/build.log" 2>&1 \
        || [ ! -f "$out/$name.ino.elf" ]; then
      echo "$name: the sketch does not compile:" >&2
      grep -E 'error|Error' "$out/build.log" | head -20 >&2
      failed=1
      continue
    fi
    avr-nm "$out/$name.ino.elf" | awk '$2 == "T" && $3 == "loop" { print $1 }' >"$out/loop.address"
    [ -s "$out/loop.address" ] || { echo "$name: no loop() in the compiled sketch" >&2; failed=1; }
    echo "$name: compiled, loop() at 0x$(cat "$out/loop.address")"
  done
  return $failed
}

run() {
  local name="$1" harness="$2" firmware="$3"
  local case_dir="$dir/corpus/$name" build="$dir/builds/$name" runs="$dir/runs/$name"
  if [ ! -f "$firmware" ]; then
    echo "no interpreter firmware $firmware (build the target vimsel_firmware)" >&2
    return 1
  fi
  if [ ! -f "$case_dir/sim.args" ] || [ ! -f "$build/loop.address" ]; then
    echo "no prepared case $name in $dir (did arduino_live_diff_prepare pass?)" >&2
    return 1
  fi
  local seconds sim pulses
  seconds=$(sed -n 's/^seconds=//p' "$case_dir/sim.args")
  sim=$(sed -n 's/^sim=//p' "$case_dir/sim.args")
  pulses=$(sed -n 's/^pulses=//p' "$case_dir/sim.args")
  mkdir -p "$runs"
  # The transfer takes at most 5 s of host time, plus the waits for the board.
  # shellcheck disable=SC2086
  "$harness" --seconds "$(awk "BEGIN { print $seconds + 2 }")" --zero-pc "$(cat "$build/loop.address")" \
    --after-zero "$seconds" --trace-pins --i2c-log $sim "$build/$name.ino.elf" >"$runs/sketch.trace" 2>"$runs/sketch.err" \
    || { echo "$name: the sketch's simulation failed:" >&2; cat "$runs/sketch.err" >&2; return 1; }
  # shellcheck disable=SC2086
  "$harness" --seconds "$(awk "BEGIN { print $seconds + 12 }")" --uart-in "$case_dir/$name.live" --serial-log \
    --after-zero "$seconds" --trace-pins --i2c-log $sim "$firmware" >"$runs/live.trace" 2>"$runs/live.err" \
    || { echo "$name: the firmware's simulation failed:" >&2; cat "$runs/live.err" >&2; return 1; }
  python3 "$here/live_diff.py" "$name" "$runs/sketch.trace" "$runs/live.trace" --seconds "$seconds" \
    --pulses "$pulses" --stream "$case_dir/$name.live"
  local rc=$?
  [ $rc -eq 0 ] || echo "traces: $runs/sketch.trace $runs/live.trace; stream: $case_dir/$name.live"
  return $rc
}

case "$mode" in
  prepare) prepare "$3" "$4" "$5" ;;
  run) run "$3" "$4" "$5" ;;
  *) echo "usage: $0 prepare|run ..." >&2; exit 2 ;;
esac
