#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds and starts the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "$root/build/src/app/vimsel" "$@"
