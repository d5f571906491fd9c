#!/bin/bash
# prefix-up.sh WINEDIR KEEPER.EXE BITS: brings up the Wine platform for one
# test run under WINEDIR: a virtual display, a fresh prefix for programs of
# BITS (32 or 64) bits, a
# persistent wineserver, the small tmpfs drives x: w: y:, and WINEDIR/env,
# which wine-run.sh and prefix-down.sh read. KEEPER.EXE, a program that waits
# for ever, keeps the desktop (and with it explorer, the PROGMAN DDE server)
# alive between test processes.
set -u
WINEDIR=$(realpath -m "${1:?usage: prefix-up.sh WINEDIR KEEPER.EXE BITS}")
KEEPER=$2
if [ "$3" = 64 ]; then WINE=/usr/lib/wine/wine64 ARCH=win64; else WINE=/usr/lib/wine/wine ARCH=win32; fi
HERE=$(dirname "$(readlink -f "$0")")
T0=$(date +%s%N)
say() { echo "prefix-up: $1 ($(( ($(date +%s%N) - T0) / 1000000 )) ms)"; }
die() { echo "prefix-up: $*" >&2; exit 1; }

# Leftovers of an earlier run in this build tree (crashed or interrupted).
"$HERE/prefix-down.sh" "$WINEDIR"
mkdir -p "$WINEDIR" || die "cannot create $WINEDIR"
chattr -R -i "$WINEDIR/runs" "$WINEDIR/prefix" 2>/dev/null || true   # read-only test files
rm -rf "$WINEDIR/runs" "$WINEDIR/prefix"

export WINEARCH=$ARCH WINEDEBUG=-all
# No desktop menu entries on the host, no Mono/Gecko installers.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

# --- display --------------------------------------------------------------
rm -f "$WINEDIR/display"
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
    3>"$WINEDIR/display" </dev/null >"$WINEDIR/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do
    [ -s "$WINEDIR/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || die "Xvfb did not start: $(tail -3 "$WINEDIR/xvfb.log")"
    sleep 0.1
done
[ -s "$WINEDIR/display" ] || die "Xvfb gave no display number"
export DISPLAY=":$(head -1 "$WINEDIR/display")"
# Recorded at once, so that a run that fails from here on is still cleaned up.
echo "VELORIN_XVFB_PID='$XVFB_PID'" >"$WINEDIR/env"
say "Xvfb on $DISPLAY"

# --- prefix ---------------------------------------------------------------
# wineboot runs once per Wine version into a template; every run then gets a
# fresh copy of it (a copy takes about a second, wineboot about fifteen).
VERSION="$ARCH $($WINE --version 2>/dev/null)"
TEMPLATE="$WINEDIR/template"
if [ "$(cat "$TEMPLATE/.velorin-wine-version" 2>/dev/null)" != "$VERSION" ]; then
    rm -rf "$TEMPLATE"
    WINEPREFIX="$TEMPLATE" $WINE wineboot -i </dev/null >"$WINEDIR/wineboot.log" 2>&1 \
        || die "wineboot failed: $(tail -3 "$WINEDIR/wineboot.log")"
    # Unmanaged windows: without a window manager a managed window waits
    # about two seconds on every hide (each EndDialog, each box closing).
    WINEPREFIX="$TEMPLATE" $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >/dev/null 2>&1 || die "cannot set Managed=N"
    WINEPREFIX="$TEMPLATE" $WINE reg add 'HKCU\Software\Wine\DllOverrides' \
        /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
    WINEPREFIX="$TEMPLATE" timeout 30 wineserver -w
    echo "$VERSION" >"$TEMPLATE/.velorin-wine-version"
    say "template prefix made"
fi
cp -a "$TEMPLATE" "$WINEDIR/prefix" || die "cannot copy the template prefix"
export WINEPREFIX="$WINEDIR/prefix"
say "prefix ready"

# --- small drives ---------------------------------------------------------
# x: "low" 4 MiB; w: "edge" 1953 pages, 7,999,488 bytes, just under the
# 8,000,000 bytes setup asks for; y: "room" 1954 pages, 8,003,584 bytes.
mount_drive() {  # name bytes letter
    local dir="$WINEDIR/mnt/$1"
    mkdir -p "$dir"
    mount -t tmpfs -o "size=$2,mode=0777" "velorin-$1" "$dir" || die "cannot mount $dir"
    ln -sfn "$dir" "$WINEPREFIX/dosdevices/$3"
}
mount_drive low 4194304 x:
mount_drive edge 7999488 w:
mount_drive room 8003584 y:
say "tmpfs drives mounted"

# --- server, keeper, explorer -------------------------------------------------
# Processes of this prefix only: other build trees run their own.
prefix_pids() {  # command-line pattern
    local p
    for p in $(pgrep -f "$1" -u "$(id -u)"); do
        grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && echo "$p"
    done
}
setsid wineserver -p </dev/null >/dev/null 2>&1 &
WS_PID=""
for _ in $(seq 50); do
    WS_PID=$(prefix_pids 'wineserver' | head -1)
    [ -n "$WS_PID" ] && break
    sleep 0.1
done
[ -n "$WS_PID" ] || die "wineserver did not start"

cat >"$WINEDIR/env" <<ENV
export WINEPREFIX='$WINEPREFIX'
export WINEARCH=$ARCH
VELORIN_WINE=$WINE
export DISPLAY='$DISPLAY'
export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
VELORIN_XVFB_PID='$XVFB_PID'
VELORIN_WINESERVER_PID='$WS_PID'
ENV

if [ -n "$KEEPER" ]; then
    setsid $WINE "$KEEPER" </dev/null >/dev/null 2>&1 &
    # explorer.exe /desktop serves PROGMAN; wait until it runs.
    for _ in $(seq 600); do
        [ -n "$(prefix_pids 'explorer.exe /desktop')" ] && break
        sleep 0.1
    done
    [ -n "$(prefix_pids 'explorer.exe /desktop')" ] || die "explorer did not start"
    say "keeper and explorer running"
fi
say "ready"
