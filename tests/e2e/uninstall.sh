#!/usr/bin/env bash
# "/u" in its three outcomes: the installed program removes its entry and
# link and opens its folder; a second time it was not installed; an entry
# whose folder is gone is removed all the same.
#   uninstall.sh BUILD
source "$(dirname "$0")/journey.sh"
dir=$(folder)
view=$(reg_in_view 32 DisplayName >/dev/null && echo 32 || echo 64) # the program's registry view
rm -f "$opened"

# uninstall N: the installed program with "/u", its one message answered
# with Return; what it drew goes to uninstall-N.log.
uninstall() {
    local log="$work/uninstall-$1.log" dialog
    (WINEDEBUG=trace+text drive_wine "$dir/Tapdeck.exe" /u >/dev/null 2>"$log" </dev/null) &
    drive_until "the uninstall message" drive_message_shown
    dialog=$(drive_message_shown)
    drive_answer "$dialog" "" Return
    check "uninstall $1 ends with 0" wait $!
}
# The uninstall messages have an empty caption: the program's one shown window.
drive_message_shown() { xdotool search --onlyvisible --class '^tapdeck\.exe$' | head -n 1 | grep .; }

uninstall 1
check "installed: 'Uninstall completed. ...'" \
    drew "$work/uninstall-1.log" "Uninstall completed. Please close the application and remove the files manually"
check "the entry is gone" test "$(reg_value DisplayName || true)" = ""
check "the Startup link is gone" sh -c "! find '$drive_c/users' -ipath '*/startup/tapdeck.lnk' | grep -q ."
check "the files stay" test -f "$dir/Tapdeck.exe" -a -f "$dir/0/tapdeck.dat"
check "the folder was opened" drive_until "the folder's opening" grep -qi '^folder c:.program files.zuvware.Tapdeck' "$opened"

uninstall 2
check "again: 'not installed'" \
    drew "$work/uninstall-2.log" "The program was not installed on this computer, uninstall failed"

drive_wine reg add "$key" /v UninstallString /d '"c:\gone\Tapdeck.exe" /U 1.10' /f /reg:$view >/dev/null
uninstall 3
check "folder gone: 'could not be found'" drew "$work/uninstall-3.log" "The installation folder could not be found"
check "and the entry removed" test "$(reg_value UninstallString || true)" = ""

rm -rf "$dir"
