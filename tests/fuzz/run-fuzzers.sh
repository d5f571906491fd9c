#!/bin/sh
# Builds each libFuzzer target with clang++-14 (address and undefined-behaviour
# sanitizers) and runs it for SECONDS from its seed corpus. Fails on the first
# finding, which stays in the work directory with the log.
#   run-fuzzers.sh SECONDS [TARGET...]   (work directory: FUZZ_WORK_DIR)
set -eu
seconds=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
root=$here/../..
work=${FUZZ_WORK_DIR:-$(mktemp -d /tmp/velorin-fuzz-XXXXXX)}
mkdir -p "$work"
for target in ${*:-explode_fuzz archive_fuzz roundtrip_fuzz}; do
    clang++-14 -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/archive" -I"$root/tools/encoder" -I"$root/tests/archive" -o "$work/$target" \
        "$here/$target.cpp" "$root"/archive/*.cpp "$root"/tools/encoder/*.cpp
    mkdir -p "$work/corpus-$target"
    cp "$here/corpus/$target"/* "$work/corpus-$target"/
    (cd "$work" && "./$target" -max_total_time="$seconds" -max_len=16384 -timeout=20 -rss_limit_mb=2048 \
        -artifact_prefix="$work/$target-" "corpus-$target") >"$work/$target.log" 2>&1 ||
        { tail -n 40 "$work/$target.log" >&2; echo "$target found a fault; see $work" >&2; exit 1; }
    grep -E 'Done [0-9]+ runs' "$work/$target.log" || true
done
