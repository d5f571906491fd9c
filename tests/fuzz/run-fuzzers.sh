#!/bin/sh
# Builds each libFuzzer target with clang++-14 and the address and undefined
# behaviour sanitizers, and runs it for SECONDS from its seed corpus. The first
# finding fails the run and stays in ./work (ctest runs it in the build folder).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$PWD/work
for target in explode_fuzz archive_fuzz roundtrip_fuzz; do
    mkdir -p "$work/corpus-$target"
    clang++-14 -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$here/../../archive" -I"$here/../../ztool/encoder" -I"$here/../archive" -o "$work/$target" \
        "$here/$target.cpp" "$here"/../../archive/*.cpp "$here"/../../ztool/encoder/*.cpp
    "$work/$target" -max_total_time="$1" -max_len=16384 -timeout=20 -rss_limit_mb=2048 -artifact_prefix="$work/$target-" \
        "$work/corpus-$target" "$here/corpus/$target" >"$work/$target.log" 2>&1 ||
        { tail -n 40 "$work/$target.log" >&2; exit 1; }
done
