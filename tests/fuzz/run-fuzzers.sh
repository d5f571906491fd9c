#!/bin/sh
# Builds the libFuzzer targets with clang++-14 (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS on one core, starting
# from the seed corpus in corpus/TARGET. Fails on the first finding, leaving
# the crashing input in the work directory.
#
#   run-fuzzers.sh SECONDS [TARGET...]
#
# FUZZ_WORK_DIR: where binaries, grown corpora and findings go
# (default: a fresh directory under /tmp).
set -eu

if [ $# -lt 1 ]; then
    echo "usage: run-fuzzers.sh SECONDS [TARGET...]" >&2
    exit 2
fi
seconds=$1
shift
targets=${*:-explode_fuzz archive_fuzz roundtrip_fuzz}

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=${FUZZ_WORK_DIR:-$(mktemp -d /tmp/velorin-fuzz-XXXXXX)}
mkdir -p "$work"
cxx=${FUZZ_CXX:-clang++-14}
if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "run-fuzzers.sh: $cxx not found (Debian packages clang-14, libclang-rt-14-dev)" >&2
    exit 2
fi

flags="-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I$root/archive -I$root/tools/encoder -I$root/tests/archive"
common="$root/archive/explode.cpp $root/archive/explode_tables.cpp $root/archive/archive_format.cpp
        $root/tests/archive/reference_explode.cpp $root/tests/archive/explode_harness.cpp
        $root/tools/encoder/encoder.cpp $root/tools/encoder/match_finder.cpp
        $root/tools/encoder/stream_writer.cpp"

for target in $targets; do
    echo "== $target: building"
    # shellcheck disable=SC2086
    "$cxx" $flags -o "$work/$target" "$here/$target.cpp" $common
    corpus="$work/corpus-$target"
    mkdir -p "$corpus"
    if [ -d "$here/corpus/$target" ]; then
        cp "$here/corpus/$target"/* "$corpus"/ 2>/dev/null || true
    fi
    echo "== $target: running for $seconds s"
    (cd "$work" && "./$target" -max_total_time="$seconds" -max_len=16384 -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/$target-" "$corpus") \
        > "$work/$target.log" 2>&1 || {
        tail -n 60 "$work/$target.log" >&2
        echo "run-fuzzers.sh: $target found a fault; input and log in $work" >&2
        exit 1
    }
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|cov:' "$work/$target.log" | tail -n 2
done
echo "run-fuzzers.sh: no findings"
