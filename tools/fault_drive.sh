#!/usr/bin/env bash
# A real full disk for the Wine tests: a 64 KiB tmpfs mapped as drive T: of
# the build tree's Wine prefix (root only, as the mount needs it).
#   fault_drive.sh start BUILD   mounts BUILD/fault-drive and maps it as T:
#   fault_drive.sh stop BUILD    unmaps and unmounts it
set -euo pipefail
command=${1:?usage: fault_drive.sh start|stop BUILD}
build=$(cd "${2:?build directory missing}" && pwd)
mount_point="$build/fault-drive"
link="$build/wineprefix/dosdevices/t:"

stop() {
    rm -f "$link"
    if mountpoint -q "$mount_point"; then umount "$mount_point"; fi
}

case "$command" in
    start)
        stop
        mkdir -p "$mount_point" "$(dirname "$link")"
        mount -t tmpfs -o size=64k tapdeck-fault "$mount_point" ||
            { echo "fault_drive: cannot mount a tmpfs (root is needed)" >&2; exit 1; }
        ln -s "$mount_point" "$link"
        ;;
    stop) stop ;;
    *)
        echo "fault_drive: unknown command $command" >&2
        exit 2
        ;;
esac
