#!/usr/bin/env bash
# Compiles every generated sketch (<sketch-root>/<group>/<name>/<name>.ino) for one
# board with Debian's Arduino toolchain and the project's device libraries, printing
# each sketch's flash and RAM use. Fails when a sketch does not compile, or when a
# device library itself draws a compiler warning.
#
# usage: compile-sketches.sh uno|mega <sketch-root> <build-root> <libraries-dir>
set -uo pipefail

board="$1" sketches="$2" builds="$3" libraries="$4"
case "$board" in
  uno) fqbn="arduino:avr:uno" ;;
  # Debian's core needs the Mega's processor named, or avr-gcc gets no -mmcu.
  mega) fqbn="arduino:avr:mega:cpu=atmega2560" ;;
  *) echo "unknown board $board" >&2; exit 2 ;;
esac

hardware=/usr/share/arduino/hardware
if ! command -v arduino-builder >/dev/null || ! command -v avr-gcc >/dev/null || [ ! -d "$hardware/arduino/avr" ]; then
  echo "The Arduino toolchain (arduino-builder, arduino-core-avr, gcc-avr, avr-libc) is not installed:" >&2
  echo "run scripts/install-deps.sh first." >&2
  exit 1
fi

mapfile -t inos < <(find "$sketches" -mindepth 3 -maxdepth 3 -name '*.ino' | sort)
if [ ${#inos[@]} -eq 0 ]; then
  echo "no sketches under $sketches" >&2
  exit 1
fi

# The core is built once per board and reused by every sketch.
cache="$builds/$board-core-cache"
mkdir -p "$cache"

failed=0
started=$(date +%s.%N)
printf '%-28s %-6s %10s %10s %8s\n' sketch board flash ram seconds
for ino in "${inos[@]}"; do
  name=$(basename "$ino" .ino)
  out="$builds/$board/$name"
  rm -rf "$out" && mkdir -p "$out"
  t0=$(date +%s.%N)
  # Debian's core uses DECIMAL_DIG, which avr-gcc 5.4 defines for C only.
  arduino-builder -compile -hardware "$hardware" -tools "$hardware/tools" -fqbn "$fqbn" \
    -build-path "$out" -build-cache "$cache" -libraries "$libraries" -warnings all \
    -prefs compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ "$ino" >"$out/build.log" 2>&1
  rc=$?
  t1=$(date +%s.%N)
  flash=$(sed -n 's/^Sketch uses \([0-9]*\) bytes.*/\1/p' "$out/build.log")
  ram=$(sed -n 's/^Global variables use \([0-9]*\) bytes.*/\1/p' "$out/build.log")
  printf '%-28s %-6s %10s %10s %8.1f\n' "$name" "$board" "${flash:-?}" "${ram:-?}" "$(awk "BEGIN{print $t1 - $t0}")"
  if [ $rc -ne 0 ] || [ ! -f "$out/$name.ino.elf" ]; then
    echo "  FAILED ($rc):" >&2
    grep -E 'error|Error' "$out/build.log" | head -30 >&2
    failed=1
  fi
  # Warnings in the device libraries are ours to fix; the sketch's and the core's are not.
  if grep -E "^$libraries/[^:]*:[0-9]+:[0-9]+: warning:" "$out/build.log" >&2; then
    echo "  warnings in the device libraries" >&2
    failed=1
  fi
done
printf 'total %d sketches for %s in %.1f s\n' "${#inos[@]}" "$board" "$(awk "BEGIN{print $(date +%s.%N) - $started}")"
exit $failed
