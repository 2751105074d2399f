# Driving Tapdeck in a Wine session as a user would, with xdotool: sourced by
# tools/demo.sh and the end-to-end journeys (tests/e2e). Set up with
#   drive_init BUILD   the session of tools/wine_session.sh in BUILD (started)
# Every wait polls with a deadline (DRIVE_DEADLINE seconds, 60 by default)
# and fails the caller instead of hanging.

drive_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

drive_init() {
    drive_build=$(cd "$1" && pwd)
    export WINEPREFIX="$drive_build/wineprefix"
    DISPLAY=$("$drive_root/tools/wine_session.sh" display "$drive_build") || return 1
    export DISPLAY
    drive_c="$WINEPREFIX/drive_c"
    drive_probe_exe="$drive_build/tests/e2e/shell_probe.exe"
    DRIVE_DEADLINE=${DRIVE_DEADLINE:-60}
}

# A Windows program in the session, from a folder that holds no program of
# ours (so `reg` is Wine's own).
drive_wine() {
    (cd "$drive_c" && "$drive_root/tools/wine_session.sh" run "$drive_build" "$@")
}

drive_fail() {
    echo "FAILED: $*" >&2
    return 1
}

# drive_until WHAT COMMAND...: polls COMMAND until it succeeds.
drive_until() {
    local what=$1 end=$((SECONDS + DRIVE_DEADLINE))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < end)) || drive_fail "waited ${DRIVE_DEADLINE}s for $what" || return 1
        sleep 0.2
    done
}

drive_visible() { # the id of the shown window titled exactly $1
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 | grep .
}

drive_window() { # waits for the shown window titled $1 and prints its id
    drive_until "window '$1'" drive_visible "$1" && drive_visible "$1"
}

drive_closed() { ! drive_visible "$1"; }

# Wine's virtual desktop routes keys to its foreground window only while the
# X focus is on the desktop's own X window; a click in the taskbar takes it.
drive_keys() {
    xdotool windowfocus "$(xdotool search --name ' - Wine desktop$' | head -n 1)"
    xdotool key --delay 150 "$@"
}

# Tray icon K (in the order added): Wine's taskbar gives each a 20-pixel slot
# from its right end, on the bottom 20 rows of the 1024x768 desktop.
drive_tray_x() { echo $((1024 - 20 * $1 - 10)); }
drive_tray_y=758

drive_probe() { drive_wine "$drive_probe_exe" "$@" | tr -d '\r'; }
# How many icons the tray shows: its slots from the right that are not blank.
# (Wine's taskbar keeps the tooltips of removed icons, so no window tells.)
drive_tray_icons() {
    local shot k=0
    shot=$(mktemp --suffix=.png)
    import -window root "$shot"
    while ((k < 16)) && [[ $(convert "$shot" -crop "16x16+$(($(drive_tray_x $k) - 8))+750" -format %k info:) != 1 ]]; do
        k=$((k + 1))
    done
    rm -f "$shot"
    echo $k
}

drive_tip() { # drive_tip K TEXT: the tip of icon K reads TEXT
    xdotool mousemove 600 400 sleep 0.2 mousemove "$(drive_tray_x "$1")" "$drive_tray_y"
    drive_probe tip "$2" || drive_fail "tip of icon $1 is not '$2'"
}

drive_press() { # drive_press K BUTTON [CLICKS]: a press on tray icon K
    xdotool mousemove "$(drive_tray_x "$1")" "$drive_tray_y" click --repeat "${3:-1}" --delay 80 "$2"
}

# Opens folder K's list with a right press on its icon; prints the list's
# X window id once it shows. A press while the program rebuilds its icons
# (after Restart, say) may find no icon there yet: it is pressed again.
drive_open_list() {
    local try
    for try in 1 2 3; do
        drive_press "$1" 3
        DRIVE_DEADLINE=$((DRIVE_DEADLINE / 3)) drive_window Tapdeck 2>/dev/null && return
    done
    drive_fail "the list of folder $1 never showed"
}

# The popup menu of the open list (the pointer still on its bottom row),
# its commands chosen by their text, so that a reordered menu cannot make a
# script run another command. The program draws the text: its
# WINEDEBUG=trace+text log says where.
#   drive_menu_open LOG     opens the menu; LOG is the program's log
#   drive_menu_choose TEXT  clicks the item that the open menu drew as TEXT
#   drive_menu LOG TEXT     both
drive_menu_open() {
    drive_menu_log=$1
    xdotool click 3
    drive_until "the popup menu" drive_menu_shown
}
# The rectangle "left top right bottom" of TEXT in the menu: Wine draws each
# item's text with DT_SINGLELINE | DT_VCENTER (00000024) in the menu window's
# coordinates, which are the same at every opening.
drive_menu_item() {
    tr -d '\r' <"$drive_menu_log" |
        sed -nE "s/.*DrawTextExW L\"$1\", [0-9]+, \[\(([-0-9]+),([-0-9]+)\)-\(([-0-9]+),([-0-9]+)\)\] 00000024$/\1 \2 \3 \4/p" |
        tail -n 1 | grep .
}
drive_menu_choose() {
    local left top right bottom x y
    drive_until "'$1' in the menu" drive_menu_item "$1" || return 1
    read -r left top right bottom < <(drive_menu_item "$1")
    read -r x y < <(xwininfo -id "$(drive_menu_window)" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}')
    xdotool mousemove $((x + (left + right) / 2)) $((y + (top + bottom) / 2)) click 1
}
drive_menu() { drive_menu_open "$1" && drive_menu_choose "$2"; }
drive_menu_window() { # the shown popup menu: the program's one window without a name
    local id
    for id in $(xdotool search --onlyvisible --class '^tapdeck\.exe$' 2>/dev/null); do
        [[ -n $(xdotool getwindowname "$id") ]] || { echo "$id" && return; }
    done
    return 1
}
drive_menu_shown() { drive_menu_window >/dev/null; }

# drive_answer WINDOW CAPTION KEYS...: a click on the caption brings our
# dialog WINDOW to the front, as a user does when another program took the
# foreground meanwhile (the shell opening the help page, the taskbar after a
# tray click); it gets the keys once it is the foreground window.
drive_answer() {
    local window=$1 caption=$2
    shift 2
    for _ in 1 2 3; do
        xdotool mousemove --window "$window" 60 8 click 1
        if drive_probe active "$caption"; then
            xdotool key --delay 150 "$@"
            return
        fi
    done
    drive_fail "dialog '$caption' never became the active window"
}

# drive_next_dialog [OLD]: the installer's next dialog, once OLD has gone.
drive_next_dialog() {
    drive_until "the next installer dialog" drive_dialog_after "${1:-}" && drive_dialog_after "${1:-}"
}
drive_dialog_after() {
    local shown
    shown=$(drive_visible "Tapdeck Installer") && [[ $shown != "$1" ]] && echo "$shown"
}

# Unzips the package into DIR and runs setup.exe with the offered choices:
# the licence ticked, Continue, the folder and options as offered; leaves
# the last dialog ("Installation complete.") open, its id in drive_dialog.
# WINEDEBUG=trace+text logs every text the dialogs draw into DIR/setup.log.
drive_install() {
    local zip=$1 dir=$2
    rm -rf "$dir" && mkdir -p "$dir" && unzip -q "$zip" -d "$dir" || return 1
    (cd "$dir" && WINEDEBUG=trace+text "$drive_root/tools/wine_session.sh" run "$drive_build" setup.exe \
        >/dev/null 2>"$dir/setup.log" </dev/null) &
    drive_setup_pid=$!
    drive_dialog=$(drive_next_dialog) || return 1
    # The agreement box is the licence dialog's last line, 48 pixels above its bottom.
    eval "$(xdotool getwindowgeometry --shell "$drive_dialog")"
    xdotool mousemove --window "$drive_dialog" 20 $((HEIGHT - 48)) click 1
    drive_answer "$drive_dialog" "Tapdeck Installer" Return || return 1
    drive_dialog=$(drive_next_dialog "$drive_dialog") || return 1
    drive_answer "$drive_dialog" "Tapdeck Installer" Return || return 1
    drive_dialog=$(drive_next_dialog "$drive_dialog")
}

# Points the prefix's handlers for help pages and folders at a line in
# C:\shell-opened.txt: nothing the program opens reaches the host's browser.
drive_quiet_shell() {
    cat >"$drive_build/quiet-shell.reg" <<'EOF'
REGEDIT4

[HKEY_CLASSES_ROOT\.htm]
@="TapdeckNoted.htm"

[HKEY_CLASSES_ROOT\TapdeckNoted.htm\shell\open\command]
@="C:\\windows\\system32\\cmd.exe /c echo htm %1>>C:\\shell-opened.txt"

[-HKEY_CLASSES_ROOT\Folder\shell\open\ddeexec]

[HKEY_CLASSES_ROOT\Folder\shell\open\command]
@="C:\\windows\\system32\\cmd.exe /c echo folder %1>>C:\\shell-opened.txt"
EOF
    drive_wine reg import "$(drive_wine winepath -w "$drive_build/quiet-shell.reg" | tr -d '\r')"
}

drive_shot() { # drive_shot FILE [GEOMETRY]: the screen, or a part of it
    import -window root ${2:+-crop "$2"} "$1"
}
