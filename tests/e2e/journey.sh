# What the journeys share, sourced with the build tree as $1: the driver,
# the checks, and a clean end whatever happens.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine_drive.sh"
drive_init "$1"
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Tapdeck'
opened="$drive_c/shell-opened.txt" # what the shell was asked to open
started="$drive_c/e2e-started.txt"
work="$drive_build/e2e"
mkdir -p "$work"
rm -f "$work/failed-$(basename "$0" .sh).png"

# A journey that fails leaves no program of ours running for the next one.
journey_end() {
    local status=$?
    if ((status != 0)); then
        drive_shot "$work/failed-$(basename "$0" .sh).png" || true
        echo "screen at failure: $work/failed-$(basename "$0" .sh).png" >&2
    fi
    drive_wine taskkill /f /im Tapdeck.exe >/dev/null 2>&1 || true
    drive_wine taskkill /f /im setup.exe >/dev/null 2>&1 || true
    exit $status
}
trap journey_end EXIT

check() { # check WHAT COMMAND...
    local what=$1
    shift
    "$@" >/dev/null 2>&1 || drive_fail "$what" || exit 1
    echo "ok: $what"
}

# The 32-bit program's "c:\program files" is the prefix's "Program Files
# (x86)"; the 64-bit build of a machine without 32-bit support has its own.
folder() { ls -d "$drive_c"/Program\ Files*/zuvware/Tapdeck 2>/dev/null | head -n 1; }

# The uninstall entry as the program sees it, in whichever registry view that is.
reg_value() {
    local view
    for view in 32 64; do
        reg_in_view $view "$1" && return 0
    done
    return 1
}
reg_in_view() { # reg_in_view VIEW NAME
    drive_wine reg query "$key" /v "$2" /reg:$1 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p" | grep .
}

startup_link() { find "$drive_c/users" -ipath '*/startup/tapdeck.lnk' | grep .; }

# The text a dialog drew, from the WINEDEBUG=trace+text log of its program.
drew() { grep -qF "L\"$2\"" "$1"; }

# Item paths of a folder's tapdeck.dat, in their order.
items() { strings -n 6 "$(folder)/$1/tapdeck.dat" | grep -F '\' | sed 's/.*\\//'; }

icons() { [[ $(drive_tray_icons) == "$1" ]]; } # the tray shows $1 icons
