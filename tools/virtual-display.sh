# Sourced by the run command and the installation benchmark.
# start_virtual_display DIR: starts Xvfb on a free display (its number in
# DIR/display), exports DISPLAY, and at exit ends the prefix's wineserver and
# the display.
start_virtual_display() {
    rm -f "$1/display"
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$1/display" 2>/dev/null &
    xvfb=$!
    trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n 1 "$1/display")
}
