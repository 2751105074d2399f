#!/usr/bin/env bash
# Reads the shell links that the Wine tests kept with lnkinfo, a parser we did
# not write, and checks the fields it shows. (This lnkinfo prints 0 for the
# show command and hotkey whatever the file holds; the Wine tests read those
# two header words raw.)
set -euo pipefail
links=${1:?folder of kept links missing}
fail() { echo "check_links: $*" >&2; exit 1; }

field() {  # field FILE NAME: the value lnkinfo prints for NAME
    lnkinfo "$1" | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" | head -n 1
}
expect() {  # expect FILE NAME PATTERN
    local got pattern
    got=$(field "$1" "$2")
    # Backslashes would escape the glob: compare with slashes instead.
    pattern=${3//\\//}
    [[ "${got//\\//}" == $pattern ]] || fail "$(basename "$1"): $2 is '$got', expected '$3'"
    echo "$(basename "$1"): $2: $got"
}

for f in full.lnk startup.lnk; do
    [[ -f "$links/$f" ]] || fail "$f was not kept by the Wine tests"
done
scratch='C:\users\*\Temp\tapdeck-Shortcut.RoundTrip'
expect "$links/full.lnk" "Local path" "$scratch\\target.exe"
expect "$links/full.lnk" "Description" "Opens the Tapdeck help"
expect "$links/full.lnk" "Working directory" "$scratch"
expect "$links/full.lnk" "Command line arguments" "/x 1"
expect "$links/full.lnk" "Icon location" "$scratch\\target.exe"
expect "$links/full.lnk" "Icon index" "2"

expect "$links/startup.lnk" "Local path" "$scratch\\target.exe"
echo "lnkinfo reads every kept link as saved"
