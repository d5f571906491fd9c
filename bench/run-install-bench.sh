#!/usr/bin/env bash
# run-install-bench.sh BUILD [ROUNDS]: the installation benchmark under Wine,
# in a prefix of its own (BUILD/install-bench) on a virtual display. Lays out
# two media with ztool media: the demonstration medium of the run command
# (without its large www.z) and one of about 50 MB (component files scaled
# up, corvex.z packed from Wine's own DLLs and the C headers), then runs
# install_bench.exe, which installs from each and compares CopySetupFile
# with CopyFileA. Prints figures; judges nothing.
set -euo pipefail
BUILD=$(realpath "${1:?usage: run-install-bench.sh BUILD [ROUNDS]}")
ROUNDS=${2:-5}
TOP=$(cd "$(dirname "$0")/.." && pwd)
BENCH=$BUILD/install-bench
ZTOOL=$BUILD/ztool/ztool
# The 32-bit build where this machine runs 32-bit code, else the 64-bit one.
if [ -d "$BUILD/win64" ]; then
    WIN=$BUILD/win64 WINE=/usr/lib/wine/wine64 WINEARCH=win64
    DLLS=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
else
    WIN=$BUILD/win32 WINE=/usr/lib/wine/wine WINEARCH=win32
    DLLS=/usr/lib/i386-linux-gnu/wine/i386-windows
fi
export WINEPREFIX=$BENCH/prefix-$WINEARCH WINEARCH WINEDEBUG=-all
for program in "$ZTOOL" "$WIN/setup/setup.exe" "$WIN/demo/demo.exe" "$WIN/bench/install_bench.exe"; do
    [ -f "$program" ] || { echo "run-install-bench.sh: $program is not built" >&2; exit 1; }
done

# make_content DIR SIZE: the seven component files of SIZE + i * 1000 bytes,
# readme.txt, setup.ini, setup.exe and the registration program's folder.
make_content() {
    local content=$1 size=$2 i=0
    mkdir -p "$content/corvex"
    cp "$WIN/setup/setup.exe" "$TOP/demo/setup.ini" "$content/"
    for name in nsystem.z netscape.z wsystem.z plugins.z javaclss.z javabin.z nprogram.z; do
        i=$((i + 1))
        head -c $((size + i * 1000)) /dev/zero | tr '\0' "$(printf "\\$(printf '%03o' $((64 + i)))")" >"$content/$name"
    done
    printf 'Velorin for Windows 95\r\n' >"$content/readme.txt"
    cp "$WIN/demo/demo.exe" "$content/corvex/corvex.exe"
    printf '[Velorin Registration]\r\nVersion=3.1\r\n' >"$content/corvex/register.ini"
}

make_media() {
    rm -rf "$BENCH/demo" "$BENCH/big" "$BENCH/copy"
    make_content "$BENCH/demo/content" 170000
    "$ZTOOL" media "$BENCH/demo/content" "$BENCH/demo/medium" >/dev/null
    # About 16 MB of real content for corvex.z; the component files make up
    # the rest of 50,000,000 bytes.
    mkdir -p "$BENCH/big/content/corvex"
    cp "$DLLS/comctl32.dll" "$DLLS/gdi32.dll" "$DLLS/ntdll.dll" "$BENCH/big/content/corvex/"
    cat /usr/include/*.h >"$BENCH/big/content/corvex/headers.txt"
    cp "$WIN/demo/demo.exe" "$BENCH/big/content/corvex/corvex.exe"
    "$ZTOOL" pack "$BENCH/big/probe.z" "$BENCH/big/content/corvex/"* >/dev/null
    local rest
    rest=$(cat "$BENCH/big/probe.z" "$WIN/setup/setup.exe" "$TOP/demo/setup.ini" | wc -c)
    make_content "$BENCH/big/content" $(((50000000 - rest - 28100) / 7))
    "$ZTOOL" media "$BENCH/big/content" "$BENCH/big/medium" >/dev/null
    # The copy comparison's files.
    mkdir -p "$BENCH/copy"
    for i in 01 02 03 04 05 06 07 08 09 10; do
        head -c 5000000 /dev/urandom >"$BENCH/copy/copy$i.dat"
    done
    head -c 50000000 /dev/urandom >"$BENCH/copy/copybig.dat"
    for medium in demo big; do
        echo "$medium medium: $(du -b --apparent-size -s "$BENCH/$medium/medium/cd" | cut -f1) bytes"
    done
}

make_prefix() {
    if [ ! -d "$WINEPREFIX/drive_c" ]; then
        $WINE wineboot -i >/dev/null 2>&1
        $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
    rm -rf "$WINEPREFIX/drive_c/vbdemo" "$WINEPREFIX/drive_c/vb50" "$WINEPREFIX/drive_c/vbcopy"
    mkdir -p "$WINEPREFIX/drive_c/vbcopy"
    ln -sfn "$BENCH/demo/medium/cd" "$WINEPREFIX/dosdevices/d:"
    ln -sfn "$BENCH/big/medium/cd" "$WINEPREFIX/dosdevices/e:"
    ln -sfn "$BENCH/copy" "$WINEPREFIX/dosdevices/f:"
}

mkdir -p "$BENCH"
. "$TOP/tools/virtual-display.sh"
start_virtual_display "$BENCH"
make_media
make_prefix
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')," \
    "load $(cut -d' ' -f1-3 /proc/loadavg), $($WINE --version), $WINEARCH"
$WINE "$WIN/bench/install_bench.exe" "$ROUNDS" 'f:\' 'c:\vbcopy\' \
    demonstration 'd:\setup.exe' 'c:\vbdemo' \
    '50 MB' 'e:\setup.exe' 'c:\vb50' | tr -d '\r'
