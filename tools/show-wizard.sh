#!/usr/bin/env bash
# show-wizard.sh BUILD [--docs]: runs BUILD's setup.exe under Wine from a
# demonstration CD medium (drive d:) in a prefix of its own (BUILD/demo).
set -euo pipefail
BUILD=$(realpath "${1:?usage: show-wizard.sh BUILD [--docs]}")
DOCS=${2:-}
TOP=$(cd "$(dirname "$0")/.." && pwd)
DEMO=$BUILD/demo
# The 32-bit build where this machine runs 32-bit code, else the 64-bit one.
if [ -d "$BUILD/win64" ]; then
    W32=$BUILD/win64 WINE=/usr/lib/wine/wine64 WINEARCH=win64
else
    W32=$BUILD/win32 WINE=/usr/lib/wine/wine WINEARCH=win32
fi
export WINEPREFIX=$DEMO/prefix WINEARCH WINEDEBUG=-all

make_medium() {
    local cd=$DEMO/cd
    rm -rf "$cd" && mkdir -p "$cd" "$DEMO/corvex"
    cp "$W32/setup/setup.exe" "$cd/"
    # Component files: 1,500,000 bytes in all, the total the progress bar expects.
    local i=0
    for name in nsystem.z netscape.z wsystem.z plugins.z javaclss.z javabin.z nprogram.z www.z; do
        i=$((i + 1))
        head -c $((170000 + i * 1000)) /dev/zero | tr '\0' "$(printf "\\$(printf '%03o' $((64 + i)))")" >"$cd/$name"
    done
    printf 'Velorin for Windows 95\r\n' >"$cd/readme.txt"
    # The last file is large (and sparse on the medium), so that the progress
    # page stays up long enough to be seen and photographed.
    truncate -s 300M "$cd/www.z"
    cp "$W32/tools/corvex/corvex.exe" "$DEMO/corvex/corvex.exe"
    printf '[Registration]\r\n' >"$DEMO/corvex/register.ini"
    "$BUILD/tools/ztool/ztool" pack "$cd/corvex.z" "$DEMO/corvex/corvex.exe" "$DEMO/corvex/register.ini" >/dev/null
}

make_prefix() {
    [ -d "$WINEPREFIX/drive_c" ] && return
    $WINE wineboot -i >/dev/null 2>&1
    # Debian's Wine does not look for its own fonts where fonts-wine puts
    # them, and fontconfig does not know that folder, so Marlett (the glyphs
    # of the caption buttons) is missing and the close box shows an "r".
    # Fonts in C:\windows\Fonts are always loaded.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

run_unattended() {
    local shots=$BUILD/screenshots
    mkdir -p "$shots"
    $WINE "$W32/tools/driver/driver.exe" "$($WINE winepath -w "$shots")" 'd:\setup.exe'
    for page in welcome intro directory progress; do
        convert "$shots/$page.bmp" "$shots/$page.png"
        if [ "$DOCS" = --docs ]; then cp "$shots/$page.png" "$TOP/docs/$page.png"; fi
    done
    echo "screenshots: $shots"
}

mkdir -p "$DEMO"
make_medium
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    make_prefix
    ln -sfn "$DEMO/cd" "$WINEPREFIX/dosdevices/d:"
    $WINE 'd:\setup.exe'
    wineserver -w
else
    rm -f "$DEMO/display"
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$DEMO/display" 2>/dev/null &
    xvfb=$!
    trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -s "$DEMO/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n 1 "$DEMO/display")
    make_prefix
    ln -sfn "$DEMO/cd" "$WINEPREFIX/dosdevices/d:"
    rm -rf "$WINEPREFIX/drive_c/orvanet"
    run_unattended
fi
