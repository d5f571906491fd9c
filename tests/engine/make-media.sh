#!/bin/bash
# make-media.sh ZTOOL SETUP.EXE CORVEX.EXE OUT: lays out a medium with
# `ztool media --floppy --iso` from made-up content in OUT/content, and unpacks
# its CD image and floppy images with xorriso and mtools into OUT/from-iso,
# OUT/from-disk1 and OUT/from-disk2, for the installations from them.
set -eu
ztool=$1 out=$4
rm -rf "$out" && mkdir -p "$out/content/corvex" "$out/from-disk1" "$out/from-disk2"
cp "$2" "$out/content/setup.exe"
cp "$3" "$out/content/corvex/corvex.exe"
printf '[Velorin Registration]\r\nVersion=3.1\r\n' >"$out/content/corvex/register.ini"
printf 'Velorin\r\n' >"$out/content/readme.txt"
i=0
for name in nsystem.z netscape.z wsystem.z plugins.z javaclss.z javabin.z nprogram.z www.z; do
    i=$((i + 1))
    yes "$name $i" | head -c $((40000 * i + 7)) >"$out/content/$name"
done
"$ztool" media "$out/content" "$out" --floppy --iso >/dev/null
xorriso -osirrox on -indev "$out/velorin.iso" -extract / "$out/from-iso" 2>/dev/null
chmod -R u+w "$out/from-iso"
mcopy -n -m -i "$out/disk1.img" '::*' "$out/from-disk1/"
mcopy -n -m -i "$out/disk2.img" '::*' "$out/from-disk2/"
