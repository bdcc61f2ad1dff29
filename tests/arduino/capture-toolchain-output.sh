#!/usr/bin/env bash
# Captures what Debian's Arduino IDE and avrdude print, and their exit code, when the
# program's compile-and-upload command or its firmware burn meets each of the
# situations a pupil can run into, and stores them as fixtures: <out-dir>/<case>.out
# (standard output and standard error as the tool printed them, interleaved) and
# <case>.exit (the exit code).
#
# usage: capture-toolchain-output.sh <board-harness> <bootloader.hex> <out-dir> [<case>...]
#
# The IDE's cases run
#   arduino --upload|--verify --verbose-upload --board arduino:avr:uno [--port P]
#           --pref compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__
#           --pref sketchbook.path=<repo>/arduino <sketch>
# (--verbose-upload makes the IDE run avrdude with -v, which confirms the write with
# "avrdude: N bytes of flash written" and "... verified"; its "avrdude done.  Thank
# you." comes after failures too. A "--pref upload.verbose=true" would be overwritten
# by the IDE in this mode):
#   upload_ok             blink, compiled and uploaded to a simulated Uno, with all of
#                         avrdude's lines (repeated up to 10 times until they are)
#   upload_ok_cut         the same upload when the IDE ends before it has passed the
#                         last of avrdude's lines on, from "bytes of flash verified" on
#                         (most runs: the IDE exits as soon as avrdude has, and drops
#                         what avrdude printed in its last tenth of a second or so)
#   verify_ok             blink, --verify only
#   error_undeclared      an undeclared name assigned in loop() (this and the next are
#                         uploads that stop at the compile: the port is never reached)
#   error_missing_header  #include "NoSuchLib.h"
#   wrong_type_warning    int x = "abc"; (--verify): the IDE compiles with -fpermissive,
#                         so this is only a warning and the compile succeeds
#   port_missing          upload to /dev/ttyUSB9, which does not exist
#   port_missing_cut      the same, when the IDE ends before it has passed avrdude's
#                         error lines on (it happens now and then, more on a busy
#                         machine; repeated up to 10 times until it does)
#   port_silent           upload to a board that never answers (a blank chip): takes
#                         about a minute, avrdude's own retries
#   port_denied           upload by a user who may not open the port (mode 000)
#   port_busy             upload while another process holds the port open
#                         exclusively (TIOCEXCL, as serial monitors do)
#   port_gone             the board vanishes while avrdude writes the flash (its
#                         pseudo-terminal closes): the sketch carries 24 KB of
#                         constant data so that the write lasts over a second
#   group_dialog          upload by a user outside the group dialout, without a
#                         display, to a port of mode 660 root:dialout as a real
#                         board's: the launcher's dialog offering to join the group
#                         fails, the run goes on, and the port is refused
#
# The firmware burn's cases run avrdude as the program does:
#   avrdude -C/etc/avrdude.conf -v -patmega328p -carduino -P<port> -b115200 -D
#           -Uflash:w:<repo's firmware for the Uno, built here>:i
#   burn_ok, burn_gone, burn_silent, burn_busy, burn_denied, burn_missing
#                         as upload_ok, port_gone, port_silent, port_busy,
#                         port_denied and port_missing
#
# In the ..._gone cases avrdude never gives up by itself: it reads end-of-file from the
# hung-up port in a loop, without a word. The IDE kills it after 5 minutes (and exits
# 0); port_gone is given 420 s for that. burn_gone is ended after 150 s by killing its
# process group, and its .exit then holds 137, the shell's code for SIGKILL.
# Every run prints, on standard error, its exit code, its length, when it last printed
# and its longest silence; <scratch>/<case>/timed.log has each piece of output with the
# second it arrived.
#
# Each case works in /tmp/vimsel-toolchain/<case> (the scratch), so the paths in the
# output are the same on every run: the sketch is <that>/Output/Output.ino, HOME and
# the IDE's home <that>/home. DISPLAY and WAYLAND_DISPLAY are unset. The busy and
# denied cases run as the user "nobody" with the group dialout added (root may open any
# port), group_dialog as "nobody" without it; these need root, and as any other user
# they are skipped with a message.
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
# The IDE kills its uploader after 5 minutes; avrdude alone never gives up.
ide_gone_cap=420
burn_gone_cap=150
mkdir -p "$out" "$scratch_root"
chmod 755 "$scratch_root"

cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(upload_ok upload_ok_cut verify_ok error_undeclared error_missing_header wrong_type_warning
                                  port_missing port_missing_cut port_silent port_denied port_busy port_gone
                                  group_dialog
                                  burn_ok burn_gone burn_silent burn_busy burn_denied burn_missing)

# Writes a sketch to <dir>/Output/Output.ino with CRLF line ends, as the program does.
sketch() {
  mkdir -p "$1/Output"
  sed 's/\r*$/\r/' >"$1/Output/Output.ino"
}

blink_with_loop() {
  printf '#include "Arduino.h"\n%s\nint Metritis;\n\nvoid setup() {\n  pinMode(13,OUTPUT);\n}\n\nvoid loop() {\n  %s\n}\n' "$1" "$2"
}

# The interpreter firmware for the Uno, built from the repository as the project's
# build does; its path on standard output.
firmware_hex() {
  local build="$scratch_root/firmware"
  if [ ! -f "$build/Morvane.ino.hex" ]; then
    mkdir -p "$build" "$build-cache"
    arduino-builder -compile -hardware /usr/share/arduino/hardware -tools /usr/share/arduino/hardware/tools \
      -fqbn arduino:avr:uno -build-path "$build" -build-cache "$build-cache" -libraries "$sketchbook/libraries" \
      -prefs compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ "$sketchbook/firmware/Morvane/Morvane.ino" \
      >"$build.log" 2>&1 || { cat "$build.log" >&2; return 1; }
    chmod -R a+rX "$build"
  fi
  echo "$build/Morvane.ino.hex"
}

board_pid=
board_log=
start_board() { # <port-link> [--bootloader FILE]
  board_log="$(dirname "$1")/board.log"
  "$harness" --port "$1" "${@:2}" --timeout 600 >"$board_log" 2>&1 &
  board_pid=$!
  for _ in $(seq 100); do
    grep -q '^ready ' "$board_log" && return 0
    sleep 0.1
  done
  echo "the simulated board did not come up" >&2
  return 1
}
stop_board() {
  [ -n "$board_pid" ] && { kill "$board_pid" 2>/dev/null; wait "$board_pid" 2>/dev/null; }
  board_pid=
}
# The board vanishes: its harness dies at once and the pseudo-terminal's master side
# closes, which hangs the port up under the uploader, as unplugging a USB board does.
vanish_board() {
  echo "  $(date +%T.%N | cut -c1-12) the board vanishes" >&2
  kill -KILL "$board_pid" 2>/dev/null
  wait "$board_pid" 2>/dev/null
  board_pid=
}
holder_pid=
# Opens the port as root and asks for exclusive use (TIOCEXCL), as serial monitors do.
hold_port() {
  perl -e 'open(my $f, "+<", $ARGV[0]) or die "$ARGV[0]: $!"; ioctl($f, 0x540C, 0) or die "TIOCEXCL: $!"; sleep 600' "$1" &
  holder_pid=$!
  sleep 0.5
}
release_port() {
  [ -n "$holder_pid" ] && { kill "$holder_pid" 2>/dev/null; wait "$holder_pid" 2>/dev/null; }
  holder_pid=
}
run_pgid=
cleanup() {
  [ -n "$run_pgid" ] && kill -KILL -- "-$run_pgid" 2>/dev/null
  stop_board
  release_port
}
trap cleanup EXIT

# Copies standard input to the file $ARGV[0] as it comes, and writes each piece read,
# with the seconds since the start and its line ends shown as \n, to standard output.
stamp='use IO::Handle; use Time::HiRes qw(time);
  my $t0 = $ARGV[1]; open(my $o, ">", $ARGV[0]) or die "$ARGV[0]: $!"; $o->autoflush(1); STDOUT->autoflush(1);
  while (sysread(STDIN, my $b, 65536)) { print $o $b; (my $e = $b) =~ s/\n/\\n/g; printf "%8.3f %s\n", time - $t0, $e; }'

# capture <case> <dir> <as> <command...>: runs the command in a process group of its
# own and stores what it printed. <as> is "" (this user), "dialout" (nobody with the
# group dialout) or "outsider" (nobody without it).
#   WANT     an extended regular expression ("!" in front to negate): the run is
#            repeated, up to 10 times, until the output matches (when avrdude fails
#            at once, the IDE sometimes ends before it has passed avrdude's lines on)
#   ON_OUTPUT, ON_OUTPUT_DO
#            when the output first matches the expression ON_OUTPUT, the shell command
#            ON_OUTPUT_DO runs
#   CAP      seconds after which the whole process group is killed
capture() {
  local name="$1" dir="$2" as="$3"
  shift 3
  local run=()
  case "$as" in
    dialout) run=(runuser -u nobody -G dialout --) ;;
    outsider) run=(runuser -u nobody --) ;;
  esac
  local want="${WANT:-}" negate=""
  [ "${want:0:1}" = "!" ] && negate=1 want="${want:1}"
  echo "== $name" >&2
  for attempt in $(seq 10); do
    rm -f "$dir/rc" "$dir/pgid"
    local t0 triggered="" capped=""
    t0=$(date +%s.%N)
    {
      setsid -w bash -c 'echo $$ >"$0"; exec "$@"' "$dir/pgid" "${run[@]}" \
        env -u DISPLAY -u WAYLAND_DISPLAY HOME="$dir/home" JAVA_TOOL_OPTIONS="-Duser.home=$dir/home" "$@" 2>&1
      echo $? >"$dir/rc"
    } 2>/dev/null | perl -e "$stamp" "$out/$name.out" "$t0" >"$dir/timed.log" &
    local pipeline=$!
    while [ ! -s "$dir/pgid" ] && kill -0 "$pipeline" 2>/dev/null; do sleep 0.01; done
    run_pgid=$(cat "$dir/pgid")
    while [ ! -s "$dir/rc" ]; do
      if [ -n "${ON_OUTPUT:-}" ] && [ -z "$triggered" ] && grep -Eq "$ON_OUTPUT" "$out/$name.out"; then
        triggered=1
        eval "$ON_OUTPUT_DO"
      fi
      if [ -n "${CAP:-}" ] && [ -z "$capped" ] && awk "BEGIN { exit !($(date +%s.%N) - $t0 >= $CAP) }"; then
        capped=1
        echo "  still running after $CAP s: its process group is killed" >&2
        kill -KILL -- "-$run_pgid"
      fi
      sleep 0.05
    done
    wait "$pipeline"
    run_pgid=
    cp "$dir/rc" "$out/$name.exit"
    local length
    length=$(awk "BEGIN { printf \"%.1f\", $(date +%s.%N) - $t0 }")
    # When it last printed, and its longest silence (up to its end).
    awk -v end="$length" '
      { gap = $1 - last; if (gap > longest) { longest = gap; from = last } last = $1 }
      END { if (end - last > longest) { longest = end - last; from = last }
            printf "  exit %s after %.1f s; last output at %.1f s; longest silence %.1f s from %.1f s\n",
                   rc, end, last, longest, from }' rc="$(cat "$dir/rc")" "$dir/timed.log" | tee "$dir/timing" >&2
    [ -z "$want" ] && break
    if grep -Eq "$want" "$out/$name.out"; then [ -z "$negate" ] && break; else [ -n "$negate" ] && break; fi
    echo "  attempt $attempt: not the wanted output (${WANT}), again" >&2
  done
  echo "  last line: $(grep -v '^Picked up\|^Loading\|^Initializing\|^Preparing\|^ *$' "$out/$name.out" | tail -1)" >&2
}

# ide <case> <dir> <as> <arduino arguments...>: the launcher with the program's options.
ide() {
  local name="$1" dir="$2" as="$3"
  shift 3
  capture "$name" "$dir" "$as" arduino "$@" --verbose-upload --board arduino:avr:uno \
    --pref compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ \
    --pref "sketchbook.path=$sketchbook" \
    "$dir/Output/Output.ino"
}

# burn <case> <dir> <as> <port>: avrdude as the program's firmware burn runs it.
burn() {
  capture "$1" "$2" "$3" avrdude -C/etc/avrdude.conf -v -patmega328p -carduino "-P$4" -b115200 -D \
    "-Uflash:w:$firmware:i"
}

# A port the simulated board of <dir> has made, set up for <case>: as a real board's
# (root:dialout, 660), without any permission, or held exclusively by another process.
prepare_port() {
  local pts
  pts=$(readlink "$2/ttySIM")
  case "$1" in
    *_denied) chmod 000 "$pts" ;;
    *_busy) chown root:dialout "$pts" && chmod 660 "$pts" && hold_port "$pts" ;;
    *) chown root:dialout "$pts" && chmod 660 "$pts" ;;
  esac
}

firmware=
for c in "${cases[@]}"; do
  dir="$scratch_root/$c"
  rm -rf "$dir" && mkdir -p "$dir/home" && chmod 755 "$dir"
  case "$c" in
    port_denied|port_busy|group_dialog|burn_denied|burn_busy)
      if [ "$(id -u)" -ne 0 ]; then
        echo "== $c skipped: needs root to run as another user" >&2
        continue
      fi
      ;;
  esac
  case "$c" in
    burn_*)
      firmware=$(firmware_hex) || exit 1
      ;;
  esac
  case "$c" in
    upload_ok|upload_ok_cut)
      sketch "$dir" <"$blink"
      start_board "$dir/ttySIM" --bootloader "$bootloader" --seconds 0 || exit 1
      want="bytes of flash verified"
      [ "$c" = upload_ok_cut ] && want="!$want"
      WANT="$want" ide "$c" "$dir" "" --upload --port "$dir/ttySIM"
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
      WANT="!unable to open programmer" ide "$c" "$dir" "" --upload --port /dev/ttyUSB9
      ;;
    port_silent)
      sketch "$dir" <"$blink"
      start_board "$dir/ttySIM" || exit 1
      ide "$c" "$dir" "" --upload --port "$dir/ttySIM"
      stop_board
      ;;
    port_denied|port_busy|group_dialog)
      sketch "$dir" <"$blink"
      chown -R nobody "$dir"
      start_board "$dir/ttySIM" --bootloader "$bootloader" || exit 1
      prepare_port "$c" "$dir"
      if [ "$c" = group_dialog ]; then
        ide "$c" "$dir" outsider --upload --port "$dir/ttySIM"
      else
        WANT="unable to open programmer" ide "$c" "$dir" dialout --upload --port "$dir/ttySIM"
      fi
      release_port
      stop_board
      ;;
    port_gone)
      printf '%s\n' '#include "Arduino.h"' '' \
        '// Constant data that makes the upload long enough to pull the board out of.' \
        'const uint8_t Pinakas[24000] PROGMEM = {1};' 'int Metritis;' '' \
        'void setup() {' '  pinMode(13,OUTPUT);' '}' '' \
        'void loop() {' '  digitalWrite(13, pgm_read_byte(&Pinakas[millis() % sizeof Pinakas]));' '}' | sketch "$dir"
      start_board "$dir/ttySIM" --bootloader "$bootloader" || exit 1
      CAP=$ide_gone_cap ON_OUTPUT='writing [0-9]+ bytes flash' ON_OUTPUT_DO='sleep 0.5; vanish_board' \
        ide "$c" "$dir" "" --upload --port "$dir/ttySIM"
      stop_board
      ;;
    burn_ok)
      start_board "$dir/ttySIM" --bootloader "$bootloader" || exit 1
      burn "$c" "$dir" "" "$dir/ttySIM"
      sleep 1
      stop_board
      grep -q '^start ' "$board_log" || echo "  (the simulated board did not start the firmware)" >&2
      ;;
    burn_gone)
      start_board "$dir/ttySIM" --bootloader "$bootloader" || exit 1
      CAP=$burn_gone_cap ON_OUTPUT='writing [0-9]+ bytes flash' ON_OUTPUT_DO='sleep 0.5; vanish_board' \
        burn "$c" "$dir" "" "$dir/ttySIM"
      stop_board
      ;;
    burn_silent)
      start_board "$dir/ttySIM" || exit 1
      burn "$c" "$dir" "" "$dir/ttySIM"
      stop_board
      ;;
    burn_denied|burn_busy)
      chown -R nobody "$dir"
      start_board "$dir/ttySIM" --bootloader "$bootloader" || exit 1
      prepare_port "$c" "$dir"
      burn "$c" "$dir" dialout "$dir/ttySIM"
      release_port
      stop_board
      ;;
    burn_missing)
      burn "$c" "$dir" "" /dev/ttyUSB9
      ;;
    *)
      echo "unknown case $c" >&2
      exit 2
      ;;
  esac
done
