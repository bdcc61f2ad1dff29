#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail
PKGS=(cmake ninja-build g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth)
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

# Arduino device libraries: Debian's Arduino toolchain compiles the generated sketches
# and simavr runs some of them (tests/arduino). Installed the same way, only what is missing.
ARDUINO_PKGS=(arduino arduino-builder arduino-core-avr gcc-avr avr-libc avrdude simavr libsimavr-dev libelf-dev)
arduino_missing=()
for p in "${ARDUINO_PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || arduino_missing+=("$p")
done
if [ ${#arduino_missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq || true
  $SUDO apt-get install -y -qq "${arduino_missing[@]}"
fi
