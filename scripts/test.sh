#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j2
