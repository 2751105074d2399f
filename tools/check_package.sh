#!/usr/bin/env bash
# Checks what we ship, with tools we did not write:
#   check_package.sh OBJDUMP BUILD_DIR
# Tapdeck.exe imports only the system's DLLs, has no link time stamp, keeps
# ASLR (with its relocations) and DEP on, carries no symbols and, as a
# 32-bit program, fits 96 KiB; the package zip holds exactly setup.exe (the
# same bytes), readme.txt and Tapdeck.htm, and packing again gives the same
# archive byte for byte.
set -euo pipefail
objdump=${1:?objdump missing}
build=$(cd "${2:?build directory missing}" && pwd)
exe="$build/app/Tapdeck.exe"
zip="$build/Tapdeck-1.10.zip"
fail() { echo "check_package: $*" >&2; exit 1; }

headers=$("$objdump" -p "$exe")
imports=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers" | sort | tr '\n' ' ')
echo "imports: $imports"
for dll in $imports; do
    case $dll in
        advapi32.dll | comdlg32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | shell32.dll | user32.dll) ;;
        *) fail "imports $dll, which is not a system DLL" ;;
    esac
done
grep -q '^Time/Date[[:space:]]*Thu Jan  1 00:00:00 1970' <<<"$headers" || fail "the PE header carries a link time"
flags=$(awk '/^DllCharacteristics/ {print $2}' <<<"$headers")
(((0x$flags & 0x140) == 0x140)) || fail "DllCharacteristics $flags lacks DYNAMIC_BASE or NX_COMPAT"
"$objdump" -h "$exe" | grep -q ' \.reloc ' || fail "no relocations, so no ASLR"
[[ -z $("$objdump" -t "$exe" | grep -E '^\[ *[0-9]+\]' | head -n 1) ]] || fail "not stripped"
size=$(stat -c %s "$exe")
echo "Tapdeck.exe: $size bytes"
if grep -q 'file format pei-i386' <<<"$headers"; then
    ((size <= 96 * 1024)) || fail "$size bytes, over the 96 KiB budget"
fi

(cd "$build" && cpack -G ZIP >/dev/null)
first=$(sha256sum "$zip" | cut -d' ' -f1)
names=$(python3 -c 'import sys, zipfile; print(" ".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")
[[ "$names" == "Tapdeck.htm readme.txt setup.exe" ]] || fail "the zip holds: $names"
unzip -p "$zip" setup.exe | cmp -s - "$exe" || fail "setup.exe in the zip is not Tapdeck.exe"
(cd "$build" && cpack -G ZIP >/dev/null)
[[ $(sha256sum "$zip" | cut -d' ' -f1) == "$first" ]] || fail "packing twice gave two different archives"
echo "package: $zip sha256 $first"
