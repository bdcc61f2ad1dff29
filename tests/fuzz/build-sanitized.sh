#!/usr/bin/env bash
# Configures and builds the sanitizer folder: the core, the widgets, their tests and
# the fuzzers, compiled by clang with AddressSanitizer and UndefinedBehaviorSanitizer
# (the core also with libFuzzer's coverage). Nothing else of the program is built
# there.
#   build-sanitized.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src="$1"
out="$2"
cmake -S "$src" -B "$out" -G Ninja -DVIMSEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
      -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" >/dev/null
cmake --build "$out" -j"${VIMSEL_BUILD_JOBS:-2}"
