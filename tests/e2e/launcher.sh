#!/usr/bin/env bash
# A user of the installed program: tray icons of the numbered folders, the
# list at the pointer, starting first items, a reorder by drag, Restart with
# folder 0 gone, a restarted shell, Big icons across a restart, and the two
# ways out (Quit, Alt+F4 on the list).
#   launcher.sh BUILD
source "$(dirname "$0")/journey.sh"
dir=$(folder)
rm -rf "$started" "$dir"/[1-9]* "$dir/settings.dat"
mkdir -p "$dir/1" "$dir/3"
# First items that note each start; folder 3 stands behind a gap.
cp "$drive_probe_exe" "$dir/1/1 first.exe"
cp "$drive_probe_exe" "$dir/1/2 second.exe"
cp "$dir/readme.txt" "$dir/3/"

launch() { # the installed program, started again; its exit code goes to exit.txt
    rm -f "$work/exit.txt"
    (drive_wine "$dir/Tapdeck.exe" >/dev/null 2>&1 </dev/null; echo $? >"$work/exit.txt") &
}
ended_with() { drive_until "the program's end" test -s "$work/exit.txt" && [[ $(cat "$work/exit.txt") == "$1" ]]; }
starts() { [[ $(tr -d '\r' <"$started" 2>/dev/null | tr '\n' '|') == "$1" ]]; }
# The list's outer rectangle "x y width height" on the screen.
list_at() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'; }

launch
check "a second start runs the launcher: icons of folders 0 and 1, none of 3" drive_until "two icons" icons 2
check "and no installer" drive_closed "Tapdeck Installer"
check "icon 1 shows its first item" drive_tip 1 "1 first"

# The list opens with its right edge 10 and its bottom 6 pixels beyond the pointer.
read -r x y w h < <(list_at "$(drive_open_list 0)")
check "the list of folder 0 at the pointer, two big rows" test "$((x + w)) $((y + h)) $h" = "$(($(drive_tray_x 0) + 10)) 764 79"
drive_menu Down Down Down Return # About ...
check "About, chosen by keys, takes Return" drive_answer "$(drive_window "About Tapdeck")" "About Tapdeck" Return
check "and closes" drive_until "About closed" drive_closed "About Tapdeck"

drive_press 1 1
check "a left press starts the first item" drive_until "one start" starts "1 first|"
drive_press 1 1 2
check "a double click starts it once more" drive_until "two starts" starts "1 first|1 first|"

# A drag of the top row (item 1) down to the bottom boundary puts it first.
read -r x y w h < <(list_at "$(drive_open_list 1)")
xdotool mousemove $((x + 40)) $((y + 20)) sleep 0.5 mousedown 1 sleep 0.5 mousemove $((x + 40)) $((y + 30)) \
    sleep 1 mousemove $((x + 40)) $((y + h - 4)) sleep 1.5 mouseup 1
check "the drag is saved" drive_until "the new order" test "$(items 1 | tr '\n' '|')" = "2 second.exe|1 first.exe|"
check "the tip follows the new first item" drive_tip 1 "2 second"
drive_press 1 1
check "which a left press starts, and nothing else ran" drive_until "three starts" starts "1 first|1 first|2 second|"

# Restart without folder 0: only the error icon, until folder 0 is back.
mv "$dir/0" "$work/0-away"
drive_open_list 1 >/dev/null
drive_menu Down Down Return # Restart
check "Restart without folder 0 leaves the error icon" drive_until "one icon" icons 1
check "with its tip" drive_tip 0 "ERROR, Folder 0 was not found!"
mv "$work/0-away" "$dir/0"
drive_press 0 1
check "a press on it rebuilds the icons" drive_until "two icons" icons 2
check "folder 0's icon is back" drive_tip 0 "Left-click to open Right-click for menu"

# A restarted shell broadcasts "TaskbarCreated": every icon comes back, once,
# and folder 2, which appeared meanwhile, closes the gap before folder 3.
mkdir -p "$dir/2" && cp "$dir/readme.txt" "$dir/2/"
drive_probe taskbar-created
check "TaskbarCreated: icons of folders 0 to 3, no doubles" drive_until "four icons" icons 4
check "folder 2's icon" drive_tip 2 "readme"

# Big icons off, kept in settings.dat over a restart; Quit ends with 0.
drive_open_list 0 >/dev/null
drive_menu Up Return # Big icons
check "settings.dat: bit 0 cleared" test "$(od -An -tu4 "$dir/settings.dat" | tr -d ' ')" = 2
read -r x y w h < <(list_at "$(drive_open_list 0)")
check "small rows" test "$h" = 51
drive_menu Down Return # Quit
check "Quit: exit code 0" ended_with 0
launch
drive_until "the icons" icons 4
read -r x y w h < <(list_at "$(drive_open_list 0)")
check "small rows after a restart" test "$h" = 51
drive_menu Escape
drive_keys alt+F4
check "Alt+F4 on the list: exit code 0" ended_with 0
check "and no icon left" drive_until "no icons" icons 0
