#!/bin/sh
# Reads the import and export tables of the built module.
objdump=$1
dll=$2
format=$3 # pei-i386 or pei-x86-64
status=0
imports=$("$objdump" -p "$dll" | awk '/DLL Name:/ {print $3}')
for name in $imports; do
    case $(echo "$name" | tr 'A-Z' 'a-z') in
    kernel32.dll | user32.dll | gdi32.dll | msimg32.dll | advapi32.dll | shell32.dll | ole32.dll | msvcrt.dll) ;;
    *) echo "imports a non-system DLL: $name"; status=1 ;;
    esac
done
exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/^[ \t]*\[ *[0-9]+\]/ {print $NF}')
if [ "$exports" != "iTunesPluginMain" ]; then
    echo "exports: $exports (want exactly iTunesPluginMain)"
    status=1
fi
"$objdump" -f "$dll" | grep -q "file format $format\$" || { echo "not a $format image"; status=1; }
[ $status -eq 0 ] && echo "imports: $imports; exports: $exports"
exit $status
