#!/usr/bin/env bash
# Installs the Debian package on this machine as a teacher does (apt-get install
# ./vimsel_*.deb), uses what it installed, and removes it again, leaving the machine's
# packages as they were:
# - vimsel-sketch on an installed example prints that example's sketch;
# - the desktop knows *.vzl as a project that the program's entry opens;
# - the program is started as the desktop entry starts it for a double-clicked project
#   (under Xvfb): the project is open, the port of the user's own "BTPort.ini" is
#   listed, F1 shows the installed teacher's guide, and nothing is written under /usr.
#   install-deb.sh DEB_FOLDER OUT
set -euo pipefail
debs=("$1"/vimsel_*.deb)
DEB=$(readlink -f "${debs[0]}")
CASE=package_install OUT=$2
export DISPLAY=${DISPLAY:-}  # a failure before the X server has nothing to take a picture of
source "$(dirname "$0")/../e2e/harness.sh"

SUDO=()
[ "$(id -u)" = 0 ] || SUDO=(sudo -n)
APT=("${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300)
packages() { dpkg-query -W -f='${Package}:${Architecture} ${Version} ${db:Status-Abbrev}\n' | sort; }

STEP="looking at the machine"
if dpkg-query -W -f='${db:Status-Abbrev}' vimsel 2>/dev/null | grep -q '^ii'; then
  fail "vimsel is installed on this machine already; this test would remove it"
fi
packages >"$WORK/packages-before"

INSTALLED=0
remove_package() {
  [ "$INSTALLED" = 1 ] || return 0
  INSTALLED=0
  "${APT[@]}" purge vimsel >"$WORK/apt-purge.log" 2>&1 || cat "$WORK/apt-purge.log" >&2
  # Whatever the install brought along goes too.
  packages >"$WORK/packages-after"
  local added
  added=$(comm -13 <(cut -d' ' -f1 "$WORK/packages-before") <(cut -d' ' -f1 "$WORK/packages-after") | sed 's/:.*//' || true)
  if [ -n "$added" ]; then
    echo "removing what the install brought along: $added" >&2
    # shellcheck disable=SC2086
    "${APT[@]}" purge $added >>"$WORK/apt-purge.log" 2>&1 || true
    packages >"$WORK/packages-after"
  fi
  if ! diff -u "$WORK/packages-before" "$WORK/packages-after" >&2; then
    echo "FAIL [$CASE]: the machine's packages are not as they were" >&2
    return 1
  fi
}
on_exit() {
  local status=$?
  [ -z "${DBUS_SESSION_BUS_PID:-}" ] || kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
  if ! remove_package; then PASSED=0 status=1; fi
  cleanup
  exit "$status"
}
trap on_exit EXIT

STEP="installing the package"
touch "$WORK/before-install"
sleep 1
INSTALLED=1
"${APT[@]}" install "$DEB" >"$WORK/apt-install.log" 2>&1 || { cat "$WORK/apt-install.log" >&2; fail "apt-get install failed"; }
dpkg-query -W -f='${db:Status-Abbrev}' vimsel | grep -q '^ii' || fail "vimsel is not installed after apt-get install"
for f in /usr/bin/vimsel /usr/bin/vimsel-sketch; do
  [ -x "$f" ] || fail "$f is missing"
done
[ -f /usr/lib/vimsel/libvimsel_browser.so ] || fail "the lessons' browser module is missing"

STEP="running the installed vimsel-sketch on an installed example"
examples=/usr/share/vimsel/examples
vimsel-sketch "$examples/blink/blink.vzl" >"$WORK/blink.ino" || fail "vimsel-sketch failed"
cmp "$WORK/blink.ino" "$examples/blink/blink.ino" || fail "the installed example's sketch differs from its .ino"
vimsel-sketch --check "$examples/lessons/project-3/project-3.vzl" >/dev/null || fail "the installed lesson example has findings"

STEP="asking the desktop's databases"
grep -q '^application/x-vimsel-project=.*gr\.ombrinex\.vimsel\.desktop' /usr/share/applications/mimeinfo.cache \
  || fail "the menu's cache does not open projects with the program"
grep -q 'application/x-vimsel-project:\*\.vzl' /usr/share/mime/globs2 || fail "the MIME database does not know *.vzl"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/gr.ombrinex.vimsel.desktop)

STEP="preparing a teacher's project and settings"
start_xvfb
start_screen_reader_bus
trap on_exit EXIT
docs=$HOME/Έγγραφα
mkdir -p "$docs"
for ext in vzl adv var; do cp "$examples/lessons/exercise-2/exercise-2.$ext" "$docs/φανάρι τάξης.$ext"; done
project="$docs/φανάρι τάξης.vzl"
user_folder="$XDG_DATA_HOME/Ombrinex/Έλεγχος συσκευών Arduino"
mkdir -p "$user_folder"
printf '[Bluetooth]\r\nComPort=/dev/vimsel-class-port\r\n' >"$user_folder/BTPort.ini"

STEP="starting the program as its desktop entry does for a double-clicked project"
[ "$exec_line" = "vimsel %f" ] || fail "unexpected Exec line: $exec_line"
start_program vimsel "$project"
atspi has "$project" || fail "the status bar does not show the project $project"
atspi has "/dev/vimsel-class-port" || fail "the port of the user's own BTPort.ini is not listed"
# The project's devices were read: the third light of the traffic light is offered.
atspi has "LaserLED_2" || fail "the project's devices are not shown"
sleep 0.5
shot "started-with-project"

STEP="pressing F1"
xdotool key --window "$WIN" F1
atspi has "/usr/share/vimsel/Lessons/Βοήθεια/Οδηγός εκπαιδευτικού.htm" \
  || fail "F1 does not show the installed teacher's guide"
sleep 1
shot "teacher-guide"
! ATSPI_TIMEOUT=1 atspi has "λείπει ο περιηγητής" || fail "the installed program has no browser"

STEP="looking for files written outside the user's folders"
written=$(find /usr/bin /usr/lib/vimsel /usr/share/vimsel -newer "$WORK/before-install" -newer "$DEB" \
  \( -name Options.ini -o -name BTPort.ini -o -name Out -o -name recovery -o -name '.vimsel-write-test-*' \) 2>/dev/null || true)
[ -z "$written" ] || fail "the installed program wrote into shared folders: $written"
[ ! -e /usr/bin/Out ] && [ ! -e /usr/bin/Options.ini ] || fail "the program keeps files beside itself in /usr/bin"

PASSED=1
echo "installed, used and removed $(basename "$DEB")"
