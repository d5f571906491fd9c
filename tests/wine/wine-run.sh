#!/bin/bash
# wine-run.sh WINEDIR PROGRAM [ARGS...]: runs one Win32 program of a test in
# the prefix that prefix-up.sh brought up, with fresh, empty folders as its
# drives: d: the medium (CD or hard disk), a: the first floppy, b: unused,
# e: scratch, under WINEDIR/runs/<n>/. The tmpfs drives x: w: y: are emptied.
# Returns the program's exit status.
set -u
WINEDIR=$(realpath -m "${1:?usage: wine-run.sh WINEDIR PROGRAM [ARGS...]}")
shift
ENVFILE="$WINEDIR/env"
if [ ! -f "$ENVFILE" ]; then
    echo "wine-run: $ENVFILE missing: the wine fixture (prefix-up.sh) has not run" >&2
    exit 1
fi
# shellcheck disable=SC1090
. "$ENVFILE"
export WINEDEBUG=${WINEDEBUG:--all}

# Run numbers are taken under a lock, although ctest runs these serially.
mkdir -p "$WINEDIR/runs"
exec 9>"$WINEDIR/runs/.lock"
flock 9
N=$(( $(cat "$WINEDIR/runs/.last" 2>/dev/null || echo 0) + 1 ))
echo "$N" >"$WINEDIR/runs/.last"
RUN="$WINEDIR/runs/$N"
mkdir -p "$RUN/d" "$RUN/a" "$RUN/b" "$RUN/e"
# Keep the last few runs for a look after a failure; drop older ones.
old="$WINEDIR/runs/$(( N - 5 ))"
[ -d "$old" ] && chattr -R -i "$old" 2>/dev/null
rm -rf "$old"

for letter in d a b e; do
    ln -sfn "$RUN/$letter" "$WINEPREFIX/dosdevices/$letter:"
done
for m in low edge room; do
    if mountpoint -q "$WINEDIR/mnt/$m"; then
        find "$WINEDIR/mnt/$m" -mindepth 1 -delete
    fi
done
flock -u 9
exec 9>&-

# Programs of this prefix outside C:\windows (the tests' own programs: test
# executables, setup, driver, corvex), but not the fixture's keeper.
test_programs() {
    local p cmd
    for p in $(pgrep -u "$(id -u)" -f '\.exe'); do
        case "$(readlink "/proc/$p/exe" 2>/dev/null)" in
            */wine|*/wine-preloader|*/wine64|*/wine64-preloader) ;;
            *) continue ;;
        esac
        grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null || continue
        cmd=$(tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null)
        case "$cmd" in
            [Cc]:\\[Ww][Ii][Nn][Dd][Oo][Ww][Ss]\\*|*wine_keeper.exe*|"") ;;
            *) echo "$p" ;;
        esac
    done
}
# A program left running by an earlier test (one that was killed, or that
# started something and did not end it) would disturb this one, and one this
# test leaves would disturb the next: end them before and after.
end_test_programs() {
    local left
    left=$(test_programs)
    [ -n "$left" ] || return 0
    echo "wine-run: ending left-over programs: $(for p in $left; do tr '\0' ' ' <"/proc/$p/cmdline"; echo -n '; '; done)" >&2
    kill $left 2>/dev/null
    for _ in $(seq 30); do
        left=$(test_programs)
        [ -n "$left" ] || return 0
        sleep 0.1
    done
    kill -9 $left 2>/dev/null
}

end_test_programs
"$VELORIN_WINE" "$@" &
WINE_PID=$!
trap 'kill $WINE_PID 2>/dev/null; end_test_programs; exit 124' TERM INT
wait $WINE_PID
STATUS=$?
end_test_programs
exit $STATUS
