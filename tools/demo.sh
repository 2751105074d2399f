#!/usr/bin/env bash
# The main job, on a fresh Debian 12 machine as root:
#   bash tools/demo.sh
# sets the machine up, builds the package, installs it into a private Wine
# prefix (build/demo) as a user would, puts sample shortcuts into folders 0
# to 2 and starts Tapdeck in a Wine desktop with a taskbar.
# With a usable $DISPLAY the desktop opens there and stays for you to use;
# stop it with `bash tools/wine_session.sh stop build/demo`. Without one (CI)
# it runs on an Xvfb of its own, opens folder 0's list and the popup menu
# with the pointer, saves screenshots in build/demo/*.png and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
demo="$root/build/demo"
"$root/tools/setup.sh"

package() { # package TREE TOOLCHAIN: the product, the probe the driving needs, the zip
    cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2.cmake" >/dev/null
    cmake --build "$1" -j "$(nproc)" --target Tapdeck shell_probe shell_link >/dev/null
    (cd "$1" && cpack -G ZIP >/dev/null)
    echo "demo: built $1/Tapdeck-1.10.zip"
}
tree="$root/build/windows"
package "$tree" mingw-i686
# Wine's 32-bit loader is a 32-bit Linux program, which some kernels cannot run.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "demo: this kernel runs no 32-bit programs: what runs is the 64-bit build of the same sources"
    tree="$root/build/win64"
    package "$tree" mingw-x86_64
fi

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    export WINE_SESSION_DISPLAY=$DISPLAY
else
    unset WINE_SESSION_DISPLAY
fi
[[ -d "$demo/wine-session" ]] && "$root/tools/wine_session.sh" stop "$demo"
rm -rf "$demo" && mkdir -p "$demo"
"$root/tools/wine_session.sh" start "$demo"
trap '[[ $? == 0 ]] || { echo "demo: FAILED, screen in $demo/failed.png" >&2; import -window root "$demo/failed.png"
    "$root/tools/wine_session.sh" stop "$demo"; }' EXIT
source "$root/tools/wine_drive.sh"
drive_init "$demo"
drive_probe_exe="$tree/tests/e2e/shell_probe.exe"
tray_shows() { [[ $(drive_tray_icons) == "$1" ]]; }
tip_hidden() { drive_shot "$demo/above-tray.png" 400x20+624+728 && [[ $(convert "$demo/above-tray.png" -format %k info:) == 1 ]]; }

# The shell only notes the help page the installer opens: nothing reaches the host.
drive_quiet_shell
drive_install "$tree/Tapdeck-1.10.zip" "$demo/package"
drive_until "Installation complete." grep -qF 'L"Installation complete."' "$demo/package/setup.log"
drive_answer "$drive_dialog" "Tapdeck Installer" Return
wait "$drive_setup_pid"
folder=$(ls -d "$drive_c"/Program\ Files*/zuvware/Tapdeck)
echo "demo: installed into $folder"

link() { # link FOLDER TARGET NAME
    mkdir -p "$folder/$1"
    drive_wine "$tree/shell_link.exe" "$2" "$(drive_wine winepath -w "$folder/$1/$3.lnk" | tr -d '\r')"
}
link 0 'C:\windows\notepad.exe' Notepad
link 1 'C:\windows\system32\winemine.exe' Minesweeper
link 1 'C:\windows\system32\taskmgr.exe' "Task Manager"
link 2 'C:\windows\regedit.exe' "Registry Editor"
link 2 'C:\windows\system32\cmd.exe' "Command Prompt"
link 2 'C:\windows\system32\winecfg.exe' "Wine configuration"

# The copy the installer started shows folder 0 only; Restart in its menu
# brings in the new folders.
drive_until "folder 0's tray icon" tray_shows 1
drive_open_list 0 >/dev/null
drive_menu "$demo/package/setup.log" Restart  # the started copy inherited the installer's log
drive_until "three tray icons" tray_shows 3

if [[ -n "${WINE_SESSION_DISPLAY:-}" ]]; then
    echo "demo: Tapdeck runs in the Wine desktop on $DISPLAY: press its tray icons at the bottom right"
    echo "demo: stop it with: bash tools/wine_session.sh stop build/demo"
    exit 0
fi
# The tray alone: the pointer away, and the tip it raised gone.
xdotool mousemove 500 300
drive_until "the tip's hiding" tip_hidden
drive_shot "$demo/tray.png" 1024x768+0+0
drive_open_list 0 >/dev/null
drive_shot "$demo/list.png" 1024x768+0+0
drive_menu_open "$demo/package/setup.log"
drive_shot "$demo/menu.png" 1024x768+0+0
drive_menu_choose Quit
drive_until "Tapdeck's end" tray_shows 0
"$root/tools/wine_session.sh" stop "$demo"
echo "demo: screenshots of the tray, the open list and the popup menu:"
ls "$demo"/{tray,list,menu}.png
