#!/usr/bin/env bash
# show-product.sh BUILD [--docs]: the whole product under Wine, in a prefix of
# its own (BUILD/demo): ztool media lays out a CD medium from content made
# here (the demonstration registration program as corvex.exe, the setup.ini
# of demo/), drive d: holds it, and setup.exe installs from it. On the
# user's $DISPLAY the wizard is theirs to click through. Without one it runs
# unattended on a virtual display: show.exe walks the wizard with its
# defaults and saves a screenshot of each page and of the registration
# program's window in BUILD/screenshots (and, with --docs, in docs/); then
# what was installed is printed.
set -euo pipefail
BUILD=$(realpath "${1:?usage: show-product.sh BUILD [--docs]}")
DOCS=${2:-}
TOP=$(cd "$(dirname "$0")/.." && pwd)
DEMO=$BUILD/demo
# The 32-bit build where this machine runs 32-bit code, else the 64-bit one.
if [ -d "$BUILD/win64" ]; then
    WIN=$BUILD/win64 WINE=/usr/lib/wine/wine64 WINEARCH=win64
else
    WIN=$BUILD/win32 WINE=/usr/lib/wine/wine WINEARCH=win32
fi
export WINEPREFIX=$DEMO/prefix-$WINEARCH WINEARCH WINEDEBUG=-all

make_medium() {
    local content=$DEMO/content made=$DEMO/medium/made
    # Laid out again only when a program or file it is made of has changed.
    if [ -e "$made" ] && [ -z "$(find "$WIN/setup/setup.exe" "$WIN/demo/demo.exe" "$0" \
            "$TOP/demo/setup.ini" "$BUILD/ztool/ztool" -newer "$made")" ]; then
        return
    fi
    rm -rf "$content" && mkdir -p "$content/corvex"
    cp "$WIN/setup/setup.exe" "$TOP/demo/setup.ini" "$content/"
    # Component files of 171,000 to 178,000 bytes: with corvex.z and www.z a
    # little more than the 1,500,000 bytes the progress bar expects.
    local i=0
    for name in nsystem.z netscape.z wsystem.z plugins.z javaclss.z javabin.z nprogram.z; do
        i=$((i + 1))
        head -c $((170000 + i * 1000)) /dev/zero | tr '\0' "$(printf "\\$(printf '%03o' $((64 + i)))")" >"$content/$name"
    done
    printf 'Velorin for Windows 95\r\n' >"$content/readme.txt"
    truncate -s 300000 "$content/www.z"
    cp "$WIN/demo/demo.exe" "$content/corvex/corvex.exe"
    printf '[Velorin Registration]\r\nVersion=3.1\r\n' >"$content/corvex/register.ini"
    "$BUILD/ztool/ztool" media "$content" "$DEMO/medium"
    touch "$made"
}

# A prefix counts as made once all of its making is done, for the Wine that
# made it: one cut short, made by another Wine or before a step here was
# added is made again.
make_prefix() {
    local wine
    wine=$($WINE --version)
    if [ "$(cat "$WINEPREFIX/made" 2>/dev/null)" != "$wine" ]; then
        rm -rf "$WINEPREFIX"
        $WINE wineboot -i >/dev/null 2>&1
        # A new prefix links the user's Desktop, Documents, Templates and the
        # like to the host's home: folders of the prefix's own instead, so
        # that nothing the demonstration does can reach the home folder.
        find "$WINEPREFIX/drive_c/users" -type l -exec sh -c 'rm "$1" && mkdir "$1"' _ {} \;
        $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        # Debian's Wine does not look for its own fonts where fonts-wine puts
        # them, and fontconfig does not know that folder, so Marlett (the glyphs
        # of the caption buttons) is missing and the close box shows an "r".
        # Fonts in C:\windows\Fonts are always loaded.
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        # Wine copies each of its own DLLs and programs into a new prefix
        # (nearly 600 MB): links to them instead. An update of the prefix would
        # write through the links into Wine's own files, so Wine is told never
        # to update this one; another Wine gets a prefix made anew.
        echo disable >"$WINEPREFIX/.update-timestamp"
        find "$WINEPREFIX/drive_c" -type f | while read -r file; do
            for own in /usr/lib/*/wine/*-windows/"${file##*/}"; do
                if cmp -s "$file" "$own"; then ln -sf "$own" "$file" && break; fi
            done
        done
        echo "$wine" >"$WINEPREFIX/made"
    fi
    rm -rf "$WINEPREFIX/drive_c/orvanet"
    ln -sfn "$DEMO/medium/cd" "$WINEPREFIX/dosdevices/d:"
}

print_installed() {
    echo "== Files in c:\\orvanet\\corvex"
    (cd "$WINEPREFIX/drive_c/orvanet/corvex" && ls -l --time-style='+%Y-%m-%d %H:%M:%S' | tail -n +2)
    echo "== Registry: HKLM\\Software\\OrvantaNetwork\\Velorin"
    { $WINE reg query 'HKLM\Software\OrvantaNetwork\Velorin' 2>/dev/null || echo '    (none)'; } |
        tr -d '\r' | sed -n 's/^    //p'
    echo "== Start Menu group"
    (cd "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" &&
        find Velorin -print 2>/dev/null || echo "(none)")
}

run_unattended() {
    local shots=$BUILD/screenshots
    mkdir -p "$shots"
    $WINE "$WIN/demo/show.exe" "$shots" 'd:\setup.exe'
    if [ "$DOCS" = --docs ]; then cp "$shots"/*.png "$TOP/docs/"; fi
    echo "screenshots: $shots"
    print_installed
}

mkdir -p "$DEMO"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    make_prefix
    make_medium
    $WINE 'd:\setup.exe'
    wineserver -w
    print_installed
else
    . "$TOP/tools/virtual-display.sh"
    start_virtual_display "$DEMO"
    make_prefix
    make_medium
    run_unattended
fi
