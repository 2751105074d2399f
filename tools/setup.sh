#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (run as root).
# Skips the package manager when everything is already there.
set -euo pipefail

packages=(cmake g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix googletest wine wine32:i386 wine64 xvfb xauth xdotool x11-utils
    imagemagick liblnk-utils icoutils clang-14 libclang-rt-14-dev python3 unzip)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi
echo "setup: installing ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    echo "setup: root is needed to install packages (try: sudo $0)" >&2
    exit 1
fi
# wine32 is an i386 package.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${packages[@]}" >/dev/null
