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
export WINEDEBUG=-all

# Run numbers are taken under a lock, although ctest runs these serially.
mkdir -p "$WINEDIR/runs"
exec 9>"$WINEDIR/runs/.lock"
flock 9
N=$(( $(cat "$WINEDIR/runs/.last" 2>/dev/null || echo 0) + 1 ))
echo "$N" >"$WINEDIR/runs/.last"
RUN="$WINEDIR/runs/$N"
mkdir -p "$RUN/d" "$RUN/a" "$RUN/b" "$RUN/e"
# Keep the last few runs for a look after a failure; drop older ones.
rm -rf "$WINEDIR/runs/$(( N - 5 ))"

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

wine "$@"
