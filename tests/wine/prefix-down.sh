#!/bin/bash
# prefix-down.sh WINEDIR: ends what prefix-up.sh started for WINEDIR (the
# prefix's wineserver and its processes, the keeper, Xvfb) and unmounts the
# small drives. Safe to run when nothing, or only part, is up.
set -u
WINEDIR=$(realpath -m "${1:?usage: prefix-down.sh WINEDIR}")
ENVFILE="$WINEDIR/env"

# Only processes whose pid this platform recorded are ended, and only if they
# still are what was started (a pid may have been reused since).
end_pid() {  # pid expected-command-substring
    local pid=$1 what=$2
    [ -n "$pid" ] && [ -r "/proc/$pid/cmdline" ] || return 0
    tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -- "$what" || return 0
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do [ -e "/proc/$pid" ] || return 0; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
}

if [ -f "$ENVFILE" ]; then
    # shellcheck disable=SC1090
    . "$ENVFILE"
    if [ -d "${WINEPREFIX:-/nonexistent}" ]; then
        # Ends every Wine process of this prefix, the server last.
        timeout 20 wineserver -k 2>/dev/null
    fi
    end_pid "${VELORIN_WINESERVER_PID:-}" wineserver
    end_pid "${VELORIN_XVFB_PID:-}" Xvfb
    rm -f "$ENVFILE"
fi

for m in low edge room; do
    if mountpoint -q "$WINEDIR/mnt/$m" 2>/dev/null; then
        umount "$WINEDIR/mnt/$m" || umount -l "$WINEDIR/mnt/$m"
    fi
done
exit 0
