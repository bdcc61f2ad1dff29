#!/usr/bin/env bash
# Builds the Debian package of the build folder with CPack: BUILD/package/vimsel_<version>_<arch>.deb.
#   build-deb.sh BUILD
set -euo pipefail
build=$1
rm -f "$build"/package/vimsel_*.deb
cd "$build"
cpack -G DEB >"$build/package-cpack.log" 2>&1 || { cat "$build/package-cpack.log" >&2; exit 1; }
debs=("$build"/package/vimsel_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: cpack wrote no package" >&2; cat "$build/package-cpack.log" >&2; exit 1; }
echo "built ${debs[*]} ($(du -h "${debs[0]}" | cut -f1))"
