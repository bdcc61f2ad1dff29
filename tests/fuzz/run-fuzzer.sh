#!/usr/bin/env bash
# Runs one fuzzer for a bounded time, starting from its seed corpus (the examples and
# the test fixtures) and the corpus earlier runs left in WORK_DIR/corpus. Fails on a
# crash, a sanitizer report, a leak, or one input taking more than 10 seconds; the
# input is then kept in WORK_DIR/artifacts.
#   run-fuzzer.sh FUZZER_PROGRAM object_text|program|ini SECONDS WORK_DIR [libFuzzer options]
set -euo pipefail
fuzzer="$1"
name="$2"
seconds="$3"
work="$4"
shift 4
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

rm -rf "$work/seeds"
mkdir -p "$work/seeds" "$work/corpus" "$work/artifacts"
case "$name" in
  object_text|program)
    cp "$root"/examples/*/*.vzl "$root"/tests/data/objecttext/*.vzl "$root"/tests/data/damaged/*.vzl "$work/seeds/"
    dict="$here/objecttext.dict" ;;
  ini)
    cp "$root"/examples/*/*.adv "$root"/examples/*/*.var "$work/seeds/"
    dict="$here/ini.dict" ;;
  *)
    echo "run-fuzzer.sh: unknown fuzzer $name" >&2
    exit 2 ;;
esac
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -dict="$dict" \
     -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$@" "$work/corpus" "$work/seeds"
