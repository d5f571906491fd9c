#!/usr/bin/env bash
# The main job: installs what is needed, builds setup.exe and shows its wizard
# under Wine, installing from a demonstration medium (demo/show-product.sh).
# With a $DISPLAY the wizard is yours to click through; without one it runs
# unattended under a virtual display, walked by show.exe (demo/show.cpp), which
# saves a screenshot of each page and of the registration program in
# build/screenshots/ (and, with --docs, in docs/). The medium and the Wine
# prefix (build/demo) are kept for the next run.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 >/dev/null
exec demo/show-product.sh build "$@"
