#!/usr/bin/env bash
# A user unzips the package and runs setup.exe with the offered choices;
# the installation copies, registers, links and starts the installed copy,
# whose tray icon shows folder 0's first shortcut.
#   install.sh BUILD ZIP
source "$(dirname "$0")/journey.sh"
zip=$2

# A clean prefix: no earlier installation, and a shell that only notes what
# it was asked to open.
for view in 32 64; do drive_wine reg delete "$key" /f /reg:$view >/dev/null 2>&1 || true; done
rm -rf "$drive_c"/Program\ Files*/zuvware "$opened" "$started"
find "$drive_c/users" -ipath '*/startup/tapdeck.lnk' -delete
drive_quiet_shell

drive_install "$zip" "$work/package"
check "'Installation complete.'" drive_until "the last message" drew "$work/package/setup.log" "Installation complete."
drive_answer "$drive_dialog" "Tapdeck Installer" Return
check "setup.exe ends with 0" wait "$drive_setup_pid"

check "the licence step asked to open the help page" grep -qi "^htm .*package.Tapdeck.htm" "$opened"
check "DisplayName" test "$(reg_value DisplayName)" = "Tapdeck (Remove only)"
check "UninstallString" test "$(reg_value UninstallString)" = '"c:\program files\zuvware\Tapdeck\Tapdeck.exe" /U 1.10'
for file in Tapdeck.exe readme.txt Tapdeck.htm; do
    check "$file copied" cmp "$work/package/${file/Tapdeck.exe/setup.exe}" "$(folder)/$file"
done
check "Startup link to the installed program" sh -c "lnkinfo '$(startup_link)' | grep -qi 'zuvware.Tapdeck.Tapdeck.exe'"
check "folder 0: the two shortcuts in order" test "$(items 0 | tr '\n' '|')" = \
    "Left-click to open Right-click for menu.lnk|Click right-button - Open folder 0 - to access the links.lnk|"

# The installed copy runs: one tray icon, folder 0's, with its first item's tip.
check "the started copy's tray icon" drive_until "one tray icon" icons 1
check "its tip" drive_tip 0 "Left-click to open Right-click for menu"
drive_open_list 0 >/dev/null
drive_menu Down Return # Quit
check "Quit ends the started copy and its icon" drive_until "no tray icon" icons 0

