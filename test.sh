#!/usr/bin/env bash
# Runs every test: installs what is needed, builds the native tree and the
# Win32 tree (a sub-build), then one ctest call runs the native unit tests,
# the short fuzz runs and the Win32 tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
