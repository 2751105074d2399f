#!/usr/bin/env bash
# A user's journey through the real package and program in the build tree's
# Wine session: unzip and install with the offered choices; use the started
# copy (tray icons of the numbered folders, the list at the pointer, starting
# first items, a reorder by drag, Restart with folder 0 gone, a restarted
# shell, Big icons across a restart, a start with folder 0 gone, the most
# folders, Quit and Alt+F4); then "/u" in its four outcomes.
#   journeys.sh BUILD ZIP
set -euo pipefail
source "$(dirname "$0")/../../tools/wine_drive.sh"
drive_init "$1"
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Tapdeck'
opened="$drive_c/shell-opened.txt" # what the shell was asked to open
started="$drive_c/e2e-started.txt" # what the probe's copies noted on their start
work="$drive_build/e2e"
rm -rf "$work" && mkdir -p "$work"

# A failed journey leaves its screen, and no program of ours running or
# started with the next session.
journey_end() {
    local status=$?
    ((status == 0)) || drive_shot "$work/failed.png" || true
    [[ -z "${dir:-}" ]] || chattr -i "$dir/1/tapdeck.dat" 2>/dev/null || true
    find "$drive_c/users" -ipath '*/startup/tapdeck.lnk' -delete
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

# The uninstall entry's value, in the registry view of the installed
# program: its own 32-bit one, or the 64-bit one on a machine without 32-bit support.
reg_value() {
    drive_wine reg query "$key" /v "$1" /reg:$view 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p" | grep .
}
drew() { grep -qF "L\"$2\"" "$1"; } # a text drawn, from a WINEDEBUG=trace+text log
icons() { [[ $(drive_tray_icons) == "$1" ]]; }
blank_at() { [[ $(drive_shot png:- "16x16+$(($(drive_tray_x "$1") - 8))+750" | convert - -format %k info:) == 1 ]]; }
items() { strings -n 6 "$dir/$1/tapdeck.dat" | grep -F '\' | sed 's/.*\\//' | tr '\n' '|'; }
order_is() { [[ $(items "$1") == "$2" ]]; } # read anew at each poll
starts() { [[ $(tr -d '\r' <"$started" 2>/dev/null | tr '\n' '|') == "$1" ]]; }
list_at() { # the list's outer rectangle "x y width height" on the screen
    [[ -n $1 ]] || return 1 # xwininfo without an id would wait for a click
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
launch() { # [EXE] the installed program, started again; its exit code goes to exit.txt, the texts it drew to launch.log
    rm -f "$work/exit.txt"
    (
        set +e # the exit code is what we want, whatever it is
        WINEDEBUG=trace+text drive_wine "${1:-$dir/Tapdeck.exe}" >/dev/null 2>"$work/launch.log" </dev/null
        echo $? >"$work/exit.txt"
    ) &
}
ended_with() { drive_until "the program's end" test -s "$work/exit.txt" && [[ $(cat "$work/exit.txt") == "$1" ]]; }

# A clean prefix whose shell only notes what it was asked to open.
for view in 32 64; do drive_wine reg delete "$key" /f /reg:$view >/dev/null 2>&1 || true; done
rm -rf "$drive_c"/Program\ Files*/zuvware "$opened" "$started"
find "$drive_c/users" -ipath '*/startup/tapdeck.lnk' -delete
drive_quiet_shell

drive_install "$2" "$work/package"
check "'Installation complete.'" drive_until "the last message" drew "$work/package/setup.log" "Installation complete."
drive_answer "$drive_dialog" "Tapdeck Installer" Return
check "setup.exe ends with 0" wait "$drive_setup_pid"
# The 32-bit program's "c:\program files" is the prefix's "Program Files (x86)".
dir=$(ls -d "$drive_c"/Program\ Files*/zuvware/Tapdeck | head -n 1)
view=$(file -b "$dir/Tapdeck.exe" | grep -q 'PE32+' && echo 64 || echo 32)
check "DisplayName" test "$(reg_value DisplayName)" = "Tapdeck (Remove only)"
check "UninstallString" test "$(reg_value UninstallString)" = '"c:\program files\zuvware\Tapdeck\Tapdeck.exe" /U 1.10'
check "Tapdeck.exe copied" cmp "$work/package/setup.exe" "$dir/Tapdeck.exe"
for f in readme.txt Tapdeck.htm; do check "$f copied" cmp "$work/package/$f" "$dir/$f"; done
link=$(find "$drive_c/users" -ipath '*/startup/tapdeck.lnk')
check "Startup link to the installed program" sh -c "lnkinfo '$link' | grep -qi 'zuvware.Tapdeck.Tapdeck.exe'"
check "folder 0: the two shortcuts in order" test "$(items 0)" = \
    "Left-click to open Right-click for menu.lnk|Click right-button - Open folder 0 - to access the links.lnk|"
check "the started copy's tray icon" drive_until "one tray icon" icons 1
check "its tip" drive_tip 0 "Left-click to open Right-click for menu"
drive_open_list 0 >/dev/null
drive_menu "$work/package/setup.log" Quit # the started copy inherited the installer's log
check "Quit ends the started copy and its icon" drive_until "no tray icon" icons 0

# Folders 1 and 3 (behind a gap), with first items that note each start.
mkdir -p "$dir/1" "$dir/3"
cp "$drive_probe_exe" "$dir/1/1 first.exe"
cp "$drive_probe_exe" "$dir/1/2 second.exe"
cp "$dir/readme.txt" "$dir/3/"
launch
check "a second start runs the launcher: icons of folders 0 and 1, none of 3" drive_until "two icons" icons 2
check "icon 1 shows its first item" drive_tip 1 "1 first"

# A right press, still held, opens the list with its right edge 10 and its
# bottom 6 pixels beyond the pointer.
xdotool mousemove "$(drive_tray_x 0)" "$drive_tray_y" mousedown 3
read -r x y w h < <(list_at "$(drive_window Tapdeck)")
xdotool mouseup 3
check "the list of folder 0 ends 10 pixels right of the pointer" test $((x + w)) = $(($(drive_tray_x 0) + 10))
check "and 6 below it" test $((y + h)) = 764
check "two big rows high" test "$h" = 79
drive_menu "$work/launch.log" "About ..."
check "About, chosen by its text, takes Return" drive_answer "$(drive_window "About Tapdeck")" "About Tapdeck" Return
check "and closes" drive_until "About closed" drive_closed "About Tapdeck"

drive_press 1 1
check "a left press starts the first item" drive_until "one start" starts "1 first|"
drive_press 1 1 2
check "a double click starts it once more" drive_until "two starts" starts "1 first|1 first|"

# A drag of the top row (item 1) down to the bottom boundary puts it first.
read -r x y w h < <(list_at "$(drive_open_list 1)")
xdotool mousemove $((x + 40)) $((y + 20)) sleep 0.5 mousedown 1 sleep 0.5 mousemove $((x + 40)) $((y + 30)) \
    sleep 1 mousemove $((x + 40)) $((y + h - 4)) sleep 1.5 mouseup 1
check "the drag is saved" drive_until "the new order" order_is 1 "2 second.exe|1 first.exe|"
check "the tip follows the new first item" drive_tip 1 "2 second"
drive_press 1 1
check "which a left press starts, and nothing else ran" drive_until "three starts" starts "1 first|1 first|2 second|"

# An item file that cannot be written (immutable for Linux, which Wine as
# root cannot override): after a Restart its folder still has its icon and
# list, and a drag there says that the order could not be saved.
chattr +i "$dir/1/tapdeck.dat"
drive_open_list 1 >/dev/null
drive_menu "$work/launch.log" Restart
read -r x y w h < <(list_at "$(drive_open_list 1)")
xdotool mousemove $((x + 40)) $((y + 20)) sleep 0.5 mousedown 1 sleep 0.5 mousemove $((x + 40)) $((y + 30)) \
    sleep 1 mousemove $((x + 40)) $((y + h - 4)) sleep 1.5 mouseup 1
check "a drag in a read-only folder says its order was not saved" drive_answer "$(drive_window Warning)" Warning Return
chattr -i "$dir/1/tapdeck.dat"

# Restart without folder 0: only the error icon, until folder 0 is back.
mv "$dir/0" "$work/0-away"
drive_open_list 1 >/dev/null
drive_menu "$work/launch.log" Restart
check "Restart without folder 0 leaves the error icon" drive_until "one icon" icons 1
check "with its tip" drive_tip 0 "ERROR, Folder 0 was not found!"
mv "$work/0-away" "$dir/0"
drive_press 0 1
check "a press on it rebuilds the icons" drive_until "two icons" icons 2

# A restarted shell broadcasts "TaskbarCreated": every icon comes back, once,
# and folder 2, which appeared meanwhile, closes the gap before folder 3.
mkdir -p "$dir/2" && cp "$dir/readme.txt" "$dir/2/"
drive_probe taskbar-created
check "TaskbarCreated: icons of folders 0 to 3, no doubles" drive_until "four icons" icons 4

# Big icons off, kept in settings.dat over a restart; a start without folder 0
# warns, and its Ok ends the program; 16 folders get 16 icons, a 17th none.
drive_open_list 0 >/dev/null
drive_menu "$work/launch.log" "Big icons"
drive_open_list 0 >/dev/null
drive_menu "$work/launch.log" Quit
check "Quit: exit code 0" ended_with 0
mv "$dir/0" "$work/0-away"
launch
drive_answer "$(drive_window Warning)" Warning Return
check "a start without folder 0: Ok ends it with 0" ended_with 0
check "after its warning" drew "$work/launch.log" "Tapdeck could not find folder '0'. Make sure this folder exists!"
mv "$work/0-away" "$dir/0"
deep="$drive_c/$(printf 'd%.0s' {1..242})" # the program's path: 257 characters, too long for its buffers
mkdir -p "$deep" && cp "$dir/Tapdeck.exe" "$deep/"
launch "$deep/Tapdeck.exe"
drive_answer "$(drive_window Tapdeck)" Tapdeck Return
check "a path too long: exit code 1" ended_with 1
check "after saying so" drew "$work/launch.log" \
    "Tapdeck cannot run from this folder: its path is too long. Move the program to a folder with a shorter path."
rm -rf "$deep"
for k in {4..16}; do mkdir -p "$dir/$k" && cp "$dir/readme.txt" "$dir/$k/"; done
launch
check "16 folders: 16 icons" drive_until "sixteen icons" icons 16
check "and none for a 17th" blank_at 16
cp "$dir/readme.txt" "$dir/15/added.txt"
read -r x y w h < <(list_at "$(drive_open_list 15)")
check "a press on icon 15 records its new item" test "$(items 15)" = "readme.txt|added.txt|"
check "in small rows after a restart" test "$h" = 51
drive_menu_open "$work/launch.log"
drive_keys Escape
drive_keys alt+F4
check "Alt+F4 on the list: exit code 0" ended_with 0
check "and no icon left" drive_until "no icons" icons 0

# "/u": each run's one message (an empty caption: the program's one shown
# window) is answered with Return; what it drew goes to uninstall-N.log.
rm -f "$opened"
uninstall() { # uninstall N MESSAGE
    (WINEDEBUG=trace+text drive_wine "$dir/Tapdeck.exe" /u >/dev/null 2>"$work/uninstall-$1.log" </dev/null) &
    drive_until "the uninstall message" message_shown
    drive_answer "$(message_shown)" "" Return
    check "uninstall $1 ends with 0" wait $!
    check "uninstall $1: '$2'" drew "$work/uninstall-$1.log" "$2"
}
message_shown() { xdotool search --onlyvisible --class '^tapdeck\.exe$' | head -n 1 | grep .; }

drive_wine reg add "$key\\held" /f /reg:$view >/dev/null # a key with a sub-key cannot be deleted
uninstall 0 "The uninstall entry could not be removed, uninstall failed. You may lack the rights to change it."
check "an entry that stays keeps the rest: the display name" test "$(reg_value DisplayName)" = "Tapdeck (Remove only)"
check "and the Startup link" test -e "$link"
drive_wine reg delete "$key\\held" /f /reg:$view >/dev/null
uninstall 1 "Uninstall completed. Please close the application and remove the files manually"
check "the entry is gone" test "$(reg_value DisplayName || true)" = ""
check "the Startup link is gone" test ! -e "$link"
check "the files stay" test -f "$dir/Tapdeck.exe" -a -f "$dir/0/tapdeck.dat"
opened_folder() { grep -qi '^folder c:.program files.zuvware.Tapdeck' "$opened"; }
check "the folder was opened" drive_until "the folder's opening" opened_folder
uninstall 2 "The program was not installed on this computer, uninstall failed"
drive_wine reg add "$key" /v UninstallString /d '"c:\gone\Tapdeck.exe" /U 1.10' /f /reg:$view >/dev/null
uninstall 3 "The installation folder could not be found"
check "and the entry removed" test "$(reg_value UninstallString || true)" = ""
rm -rf "$dir"
