#!/bin/bash
# The Wine platform of one test run, all under WINEDIR (docs/testing.md):
#   platform.sh up WINEDIR KEEPER.EXE BITS   display, prefix, server, keeper,
#                                            small drives x: w: y:, m: onto c:
#   platform.sh run WINEDIR PROGRAM ARGS...  one test program on fresh drives
#   platform.sh down WINEDIR                 ends what `up` started
set -u
what=$1 WINEDIR=$(realpath -m "$2")
shift 2
DRIVES="x:4194304 w:7999488 y:8003584"
die() { echo "platform: $*" >&2; exit 1; }

# Processes of this prefix (other build trees run their own) matching $1.
mine() {
    local p
    for p in $(pgrep -f "$1"); do
        grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && echo "$p"
    done
}
# Those outside C:\windows, but for the keeper: the tests' own programs.
test_programs() {
    local p
    for p in $(mine '\.exe'); do
        tr '\0' ' ' 2>/dev/null <"/proc/$p/cmdline" |
            grep -qviE '^c:\\windows\\|wine_keeper\.exe' && echo "$p"
    done
}
# A program that an earlier test left running would disturb the next test.
end_test_programs() {
    local left
    for _ in $(seq 30); do
        left=$(test_programs)
        [ -n "$left" ] || return 0
        kill $left 2>/dev/null
        sleep 0.1
    done
    kill -9 $(test_programs) 2>/dev/null
}

down() {
    if [ -f "$WINEDIR/env" ]; then
        . "$WINEDIR/env"
        timeout 20 wineserver -k 2>/dev/null
        grep -q Xvfb "/proc/$VELORIN_XVFB_PID/cmdline" 2>/dev/null && kill "$VELORIN_XVFB_PID"
        rm -f "$WINEDIR/env"
    fi
    umount -l "$WINEDIR"/mnt/* 2>/dev/null
    return 0
}

up() {
    local keeper=$1 wine=/usr/lib/wine/wine arch=win32
    [ "$2" = 64 ] && wine=/usr/lib/wine/wine64 arch=win64
    down
    chattr -R -i "$WINEDIR" 2>/dev/null   # read-only test files of an earlier run
    rm -rf "$WINEDIR/runs" "$WINEDIR/prefix"
    mkdir -p "$WINEDIR/runs" || die "cannot create $WINEDIR"
    export WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WINEDIR/display" \
        </dev/null >"$WINEDIR/xvfb.log" 2>&1 &
    echo "VELORIN_XVFB_PID=$!" >"$WINEDIR/env"
    for _ in $(seq 100); do [ -s "$WINEDIR/display" ] && break; sleep 0.1; done
    [ -s "$WINEDIR/display" ] || die "Xvfb did not start: $(tail -3 "$WINEDIR/xvfb.log")"
    export DISPLAY=":$(head -1 "$WINEDIR/display")"

    # wineboot takes about fifteen seconds, a copy of its prefix one.
    local template=$WINEDIR/template version
    version="$arch $($wine --version)"
    if [ "$(cat "$template/.version" 2>/dev/null)" != "$version" ]; then
        rm -rf "$template"
        WINEPREFIX=$template $wine wineboot -i </dev/null >"$WINEDIR/wineboot.log" 2>&1 ||
            die "wineboot failed: $(tail -3 "$WINEDIR/wineboot.log")"
        # Without a window manager a managed window waits two seconds on
        # every hide (each EndDialog, each box closing).
        WINEPREFIX=$template $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            >/dev/null 2>&1 || die "cannot set Managed=N"
        # Wine's own fonts, Marlett among them, which Debian's Wine does not find.
        cp /usr/share/wine/fonts/*.ttf "$template/drive_c/windows/Fonts/"
        WINEPREFIX=$template timeout 30 wineserver -w
        echo "$version" >"$template/.version"
    fi
    cp -a "$template" "$WINEDIR/prefix" || die "cannot copy the template prefix"
    export WINEPREFIX=$WINEDIR/prefix
    # Wine links the user's Desktop, Documents and the rest to the host's home: a test that
    # deleted there would delete the home's files. They become folders of the prefix's own.
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        [ -L "$link" ] && { rm "$link" && mkdir "$link" || die "cannot replace $link"; }
    done
    # m: reaches the folders of c: by another name, as z: does through the host's root.
    ln -sfn ../drive_c "$WINEPREFIX/dosdevices/m:"
    for d in $DRIVES; do
        local mnt=$WINEDIR/mnt/${d%%:*}
        mkdir -p "$mnt"
        mount -t tmpfs -o "size=${d#*:},mode=0777" velorin "$mnt" || die "cannot mount"
        ln -sfn "$mnt" "$WINEPREFIX/dosdevices/${d%%:*}:"
    done
    setsid wineserver -p </dev/null >/dev/null 2>&1
    printf 'export WINEPREFIX=%q WINEARCH=%q DISPLAY=%q WINEDLLOVERRIDES=%q\nVELORIN_WINE=%q\n' \
        "$WINEPREFIX" "$arch" "$DISPLAY" "$WINEDLLOVERRIDES" "$wine" >>"$WINEDIR/env"
    setsid $wine "$keeper" </dev/null >/dev/null 2>&1 &
    for _ in $(seq 600); do [ -n "$(mine 'explorer.exe /desktop')" ] && return 0; sleep 0.1; done
    die "explorer did not start"
}

run() {
    [ -f "$WINEDIR/env" ] || die "$WINEDIR/env missing: the wine fixture has not run"
    . "$WINEDIR/env"
    export WINEDEBUG=${WINEDEBUG:--all}
    # A new run number a process; the last few runs stay for a look after a failure.
    local n=$(($(ls "$WINEDIR/runs" | sort -n | tail -1) + 1)) letter
    chattr -R -i "$WINEDIR/runs/$((n - 5))" 2>/dev/null
    rm -rf "$WINEDIR/runs/$((n - 5))"
    for letter in d a b e; do
        mkdir -p "$WINEDIR/runs/$n/$letter"
        ln -sfn "$WINEDIR/runs/$n/$letter" "$WINEPREFIX/dosdevices/$letter:"
    done
    for d in $DRIVES; do find "$WINEDIR/mnt/${d%%:*}" -mindepth 1 -delete; done
    end_test_programs
    "$VELORIN_WINE" "$@" &
    local pid=$! status
    trap 'kill $pid 2>/dev/null; end_test_programs; exit 124' TERM INT
    wait $pid
    status=$?
    end_test_programs
    return $status
}

"$what" "$@"
