#!/usr/bin/env bash
# Sets up the machine, builds both trees and runs every test:
#   native tree  build/native   the logic without Windows headers, under ASan and UBSan
#   Windows tree build/windows  the product libraries and their tests under Wine
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/tools/setup.sh"

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/windows" -j "$jobs"

status=0
ctest --test-dir "$root/build/native" --output-on-failure || status=1
ctest --test-dir "$root/build/windows" --output-on-failure || status=1
exit $status
