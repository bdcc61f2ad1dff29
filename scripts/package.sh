#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and makes the Debian package
# build/package/vimsel_<version>_<arch>.deb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
bash "$root/tests/package/build-deb.sh" "$root/build"
