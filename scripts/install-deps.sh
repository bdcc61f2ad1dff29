#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail

# Build, widgets and their tests.
PKGS=(cmake ninja-build g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth)
# Serial ports and boards being plugged in (src/platform); socat makes the
# pseudo-terminal pair that stands in for a board in tests/e2e/port-selector.sh.
PKGS+=(qt6-serialport-dev libudev-dev socat)
# Debian's Arduino toolchain compiles the generated sketches with our device libraries,
# and simavr runs some of them (tests/arduino); gcc-avr also builds the bootloader of
# the simulated Uno that avrdude and the IDE upload to.
PKGS+=(arduino arduino-builder arduino-core-avr gcc-avr avr-libc avrdude simavr libsimavr-dev libelf-dev)
# The fuzzers and the sanitizer build of the core (tests/fuzz): clang with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer.
PKGS+=(clang libclang-rt-14-dev)
# The end-to-end test drives the real program under Xvfb with X input events and
# takes screenshots (tests/e2e).
PKGS+=(xdotool imagemagick)
# The window benchmarks watch the X display for the program's window (bench/window).
PKGS+=(libxcb1-dev)
# They find the window's controls by their accessible names over AT-SPI, with a session
# bus of their own (tests/e2e/atspi.py).
PKGS+=(python3-pyatspi dbus-x11 at-spi2-core)
# The lessons page shows its documents in an embedded browser; the update check and
# its tests speak HTTP (QtNetwork comes with qt6-base-dev).
PKGS+=(qt6-webengine-dev)
# The simulation plays the buzzer's note where the computer has a sound card; its
# end-to-end test listens to it on a sound server of its own with a null output.
PKGS+=(qt6-multimedia-dev pulseaudio pulseaudio-utils)
# The update window's end-to-end test serves its version file with python's http.server.
PKGS+=(python3)
# The Debian package (cpack -G DEB): dpkg-shlibdeps finds the run-time dependencies,
# rsvg-convert draws the icon's PNG sizes from its SVG, and the package's tests check
# the desktop entry and the AppStream metadata it installs.
PKGS+=(dpkg-dev librsvg2-bin desktop-file-utils appstream)

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq || true
  $SUDO apt-get install -y -qq "${missing[@]}"
fi
