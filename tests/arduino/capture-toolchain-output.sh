#!/usr/bin/env bash
# Captures what Debian's Arduino IDE prints, and its exit code, when the program's
# compile and upload command meets each of the situations a pupil can run into, and
# stores them as fixtures: <out-dir>/<case>.out (standard output and standard error
# as the launcher printed them, interleaved) and <case>.exit (the exit code).
#
# usage: capture-toolchain-output.sh <board-harness> <bootloader.hex> <out-dir> [<case>...]
#
# The cases (all of them when none is named):
#   upload_ok             blink, compiled and uploaded to a simulated Uno
#   verify_ok             blink, --verify only
#   error_undeclared      an undeclared name assigned in loop() (this and the next are
#                         uploads that stop at the compile: the port is never reached)
#   error_missing_header  #include "NoSuchLib.h"
#   wrong_type_warning    int x = "abc"; (--verify): the IDE compiles with -fpermissive,
#                         so this is only a warning and the compile succeeds
#   port_missing          upload to /dev/ttyUSB9, which does not exist
#   port_missing_cut      the same, when the IDE ends before it has passed avrdude's
#                         lines on (it happens now and then, more on a busy machine;
#                         repeated up to 10 times until it does)
#   port_silent           upload to a board that never answers (a blank chip): takes
#                         about a minute, avrdude's own retries
#   port_denied           upload by a user who may not open the port (mode 000)
#   port_busy             upload while another process holds the port open
#                         exclusively (TIOCEXCL, as serial monitors do)
#
# Each case works in /tmp/vimsel-toolchain/<case>, so the paths in the output are the
# same on every run: the sketch is <that>/Output/Output.ino, the IDE's home <that>/home.
# The last two run the IDE as the user "nobody" (root may open any port), with the
# group dialout added: Debian's launcher asks a user outside that group, in a window,
# to join it before it starts, which is not what these cases are about. They need
# root; as any other user they are skipped with a message.
set -uo pipefail

if [ $# -lt 3 ]; then
  sed -n '2,/^set /p' "$0" | sed '$d' >&2
  exit 2
fi
harness="$1" bootloader="$2" out="$3"
shift 3
here=$(cd "$(dirname "$0")" && pwd)
sketchbook=$(cd "$here/../../arduino" && pwd)
blink="$here/../../examples/blink/blink.ino"
scratch_root=/tmp/vimsel-toolchain
mkdir -p "$out" "$scratch_root"
chmod 755 "$scratch_root"

cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(upload_ok verify_ok error_undeclared error_missing_header wrong_type_warning
                                  port_missing port_missing_cut port_silent port_denied port_busy)

# Writes a sketch to <dir>/Output/Output.ino with CRLF line ends, as the program does.
sketch() {
  mkdir -p "$1/Output"
  sed 's/\r*$/\r/' >"$1/Output/Output.ino"
}

blink_with_loop() {
  printf '#include "Arduino.h"\n%s\nint Metritis;\n\nvoid setup() {\n  pinMode(13,OUTPUT);\n}\n\nvoid loop() {\n  %s\n}\n' "$1" "$2"
}

board_pid=
board_log=
start_board() { # <port-link> [--bootloader FILE]
  board_log="$(dirname "$1")/board.log"
  "$harness" --port "$1" "${@:2}" --timeout 300 >"$board_log" 2>&1 &
  board_pid=$!
  for _ in $(seq 100); do
    grep -q '^ready ' "$board_log" && return 0
    sleep 0.1
  done
  echo "the simulated board did not come up" >&2
  return 1
}
stop_board() {
  [ -n "$board_pid" ] && kill "$board_pid" 2>/dev/null && wait "$board_pid" 2>/dev/null
  board_pid=
}
holder_pid=
cleanup() {
  stop_board
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
}
trap cleanup EXIT

# ide <case> <dir> <as-user|""> <arduino arguments...>: runs the launcher with the
# program's options and stores what it printed. With WANT set (an extended regular
# expression, "!" in front to negate) the run is repeated, up to 10 times, until the
# output matches: when avrdude fails at once, the IDE sometimes ends before it has
# passed avrdude's lines on.
ide() {
  local name="$1" dir="$2" user="$3"
  shift 3
  local run=()
  [ -n "$user" ] && run=(runuser -u "$user" -G dialout --)
  local want="${WANT:-}" negate=""
  [ "${want:0:1}" = "!" ] && negate=1 want="${want:1}"
  echo "== $name" >&2
  for attempt in $(seq 10); do
    "${run[@]}" env JAVA_TOOL_OPTIONS="-Duser.home=$dir/home" \
      arduino "$@" --board arduino:avr:uno \
      --pref compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ \
      --pref "sketchbook.path=$sketchbook" \
      "$dir/Output/Output.ino" >"$out/$name.out" 2>&1
    echo $? >"$out/$name.exit"
    [ -z "$want" ] && break
    if grep -Eq "$want" "$out/$name.out"; then [ -z "$negate" ] && break; else [ -n "$negate" ] && break; fi
    echo "  attempt $attempt: not the wanted output (${WANT}), again" >&2
  done
  echo "exit $(cat "$out/$name.exit"): $(grep -v '^Picked up\|^Loading\|^Initializing\|^Preparing\|^$' "$out/$name.out" | tail -1)" >&2
}

for c in "${cases[@]}"; do
  dir="$scratch_root/$c"
  rm -rf "$dir" && mkdir -p "$dir/home" && chmod 755 "$dir"
  case "$c" in
    upload_ok)
      sketch "$dir" <"$blink"
      start_board "$dir/ttySIM" --bootloader "$bootloader" || exit 1
      ide "$c" "$dir" "" --upload --port "$dir/ttySIM"
      stop_board
      grep -q '^start ' "$board_log" || echo "  (the simulated board did not start the sketch)" >&2
      ;;
    verify_ok)
      sketch "$dir" <"$blink"
      ide "$c" "$dir" "" --verify
      ;;
    error_undeclared)
      blink_with_loop "" "Metritis2 = 1;" | sketch "$dir"
      ide "$c" "$dir" "" --upload --port /dev/ttyUSB9
      ;;
    error_missing_header)
      blink_with_loop '#include "NoSuchLib.h"' "Metritis = 1;" | sketch "$dir"
      ide "$c" "$dir" "" --upload --port /dev/ttyUSB9
      ;;
    wrong_type_warning)
      blink_with_loop "" 'int x = "abc";' | sketch "$dir"
      ide "$c" "$dir" "" --verify
      ;;
    port_missing)
      sketch "$dir" <"$blink"
      WANT="unable to open programmer" ide "$c" "$dir" "" --upload --port /dev/ttyUSB9
      ;;
    port_missing_cut)
      sketch "$dir" <"$blink"
      WANT="!avrdude" ide "$c" "$dir" "" --upload --port /dev/ttyUSB9
      ;;
    port_silent)
      sketch "$dir" <"$blink"
      start_board "$dir/ttySIM" || exit 1
      ide "$c" "$dir" "" --upload --port "$dir/ttySIM"
      stop_board
      ;;
    port_denied|port_busy)
      if [ "$(id -u)" -ne 0 ]; then
        echo "== $c skipped: needs root to run the IDE as another user" >&2
        continue
      fi
      sketch "$dir" <"$blink"
      chown -R nobody "$dir"
      start_board "$dir/ttySIM" --bootloader "$bootloader" || exit 1
      pts=$(readlink "$dir/ttySIM")
      if [ "$c" = port_denied ]; then
        chmod 000 "$pts"
      else
        chown root:dialout "$pts" && chmod 660 "$pts"
        # Opens the port and asks for exclusive use (TIOCEXCL), as serial monitors do.
        perl -e 'open(my $f, "+<", $ARGV[0]) or die "$ARGV[0]: $!"; ioctl($f, 0x540C, 0) or die "TIOCEXCL: $!"; sleep 600' "$pts" &
        holder_pid=$!
        sleep 0.5
      fi
      WANT="unable to open programmer" ide "$c" "$dir" nobody --upload --port "$dir/ttySIM"
      [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
      holder_pid=
      stop_board
      ;;
    *)
      echo "unknown case $c" >&2
      exit 2
      ;;
  esac
done
