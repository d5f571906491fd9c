#!/usr/bin/env bash
# check-setup-exe.sh SETUP.EXE: the shipped program is a 32-bit GUI PE that
# imports only system DLLs (InitCommonControls by ordinal) and fits its share
# of the first floppy.
set -u
exe=$1
fail=0
say() { echo "check-setup-exe: $*"; fail=1; }

file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || say "not a 32-bit GUI PE: $(file -b "$exe")"

size=$(stat -c %s "$exe")
[ "$size" -le 102400 ] || say "$size bytes, over the 100 KB budget"

dump=$(i686-w64-mingw32-objdump -p "$exe")
dlls=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z' | sort -u)
for dll in $dlls; do
    case $dll in
        KERNEL32.DLL|USER32.DLL|COMCTL32.DLL|ADVAPI32.DLL|GDI32.DLL) ;;
        *) say "imports $dll" ;;
    esac
done
# The COMCTL32 block must import ordinal 17 and nothing by name.
comctl=$(echo "$dump" | awk '/DLL Name: COMCTL32/{on=1; next} /DLL Name:|^$/{on=0} on')
echo "$comctl" | grep -Eq '^[[:space:]]+80000011[[:space:]]+17[[:space:]]' || say "InitCommonControls is not imported by ordinal 17"
echo "$comctl" | grep -q 'InitCommonControls' && say "InitCommonControls is imported by name"

[ $fail -eq 0 ] && echo "check-setup-exe: $exe: $size bytes, imports: $(echo $dlls)"
exit $fail
