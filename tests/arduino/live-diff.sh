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
#        live-diff.sh sim <dir> <case> <vimsel_simavr> <vimsel-sim> <firmware-dir> <project.vzl>
#          runs the case's sketch in simavr and the project in vimsel-sim, with the
#          inputs the harness's devices give, and compares their pin changes
#          (sim_diff.py); the outputs stay in <dir>/sim-runs/<case>
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

# The case's settings (seconds, sim, pulses) into the caller's variables, and the
# compiled sketch run in simavr into <runs>/sketch.trace.
sketch_trace() {
  local name="$1" harness="$2" runs="$3"
  local case_dir="$dir/corpus/$name" build="$dir/builds/$name"
  if [ ! -f "$case_dir/sim.args" ] || [ ! -f "$build/loop.address" ]; then
    echo "no prepared case $name in $dir (did arduino_live_diff_prepare pass?)" >&2
    return 1
  fi
  seconds=$(sed -n 's/^seconds=//p' "$case_dir/sim.args")
  sim=$(sed -n 's/^sim=//p' "$case_dir/sim.args")
  pulses=$(sed -n 's/^pulses=//p' "$case_dir/sim.args")
  mkdir -p "$runs"
  # shellcheck disable=SC2086
  "$harness" --seconds "$(awk "BEGIN { print $seconds + 2 }")" --zero-pc "$(cat "$build/loop.address")" \
    --after-zero "$seconds" --trace-pins --i2c-log $sim "$build/$name.ino.elf" >"$runs/sketch.trace" 2>"$runs/sketch.err" \
    || { echo "$name: the sketch's simulation failed:" >&2; cat "$runs/sketch.err" >&2; return 1; }
}

run() {
  local name="$1" harness="$2" firmware="$3"
  local case_dir="$dir/corpus/$name" runs="$dir/runs/$name"
  if [ ! -f "$firmware" ]; then
    echo "no interpreter firmware $firmware (build the target vimsel_firmware)" >&2
    return 1
  fi
  local seconds sim pulses
  sketch_trace "$name" "$harness" "$runs" || return 1
  # The transfer takes at most 5 s of host time, plus the waits for the board.
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

# The inputs vimsel-sim gives the project's devices: what the harness's models hold
# (the first DHT22, sonar of each kind; the barometer of the data sheet's example; no
# switch pressed, analogue inputs at 0).
sim_settings() {
  python3 - "$1" <<'PY'
import configparser, sys
adv = configparser.ConfigParser(strict=False, interpolation=None)
adv.read(sys.argv[1][:-4] + '.adv', encoding='utf-8')
first = set()
for section in adv.sections():
    if not section.startswith('ADev_'):
        continue
    d = adv[section]
    kind, name = int(d.get('DeviceTypeID', '-1')), d.get('DeviceName', '')
    value = {3: '123', 5: '0', 6: '-10.1,65.2', 7: '699.64,15', 8: '0'}.get(kind)
    if value is None or (kind in (3, 6) and kind in first):
        continue
    first.add(kind)
    print('--set %s=%s' % (name, value))
PY
}

sim_run() {
  local name="$1" harness="$2" tool="$3" firmware_dir="$4" project="$5"
  local runs="$dir/sim-runs/$name"
  local seconds sim pulses
  sketch_trace "$name" "$harness" "$runs" || return 1
  # shellcheck disable=SC2046
  "$tool" "$project" --seconds "$seconds" --pins "$runs/sim.pins" --firmware "$firmware_dir" \
    $(sim_settings "$project") 2>"$runs/sim.err" \
    || { echo "$name: vimsel-sim failed:" >&2; cat "$runs/sim.err" >&2; return 1; }
  python3 "$here/sim_diff.py" "$name" "$runs/sketch.trace" "$runs/sim.pins" --seconds "$seconds" --pulses "$pulses"
  local rc=$?
  [ $rc -eq 0 ] || echo "outputs: $runs/sketch.trace $runs/sim.pins"
  return $rc
}

case "$mode" in
  prepare) prepare "$3" "$4" "$5" ;;
  run) run "$3" "$4" "$5" ;;
  sim) sim_run "$3" "$4" "$5" "$6" "$7" ;;
  *) echo "usage: $0 prepare|run|sim ..." >&2; exit 2 ;;
esac
