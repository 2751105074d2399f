#!/usr/bin/env bash
# Sets up the machine, builds both trees and runs every test:
#   native tree  build/native   the logic without Windows headers, under ASan and UBSan
#   fuzz tree    build/fuzz     the libFuzzer targets (clang), each run for a bounded time
#   Windows tree build/windows  the product libraries and their tests under Wine
#   (build/win64: the same tests as 64-bit programs, where 32-bit ones cannot run)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/tools/setup.sh"

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$root/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAPDECK_FUZZ=ON >/dev/null
cmake --build "$root/build/fuzz" -j "$jobs"
cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/windows" -j "$jobs"
# Wine's 32-bit loader is a 32-bit Linux program; a kernel without IA-32
# emulation runs none, and then no 32-bit Windows program starts under Wine.
# There the Wine tests run as 64-bit programs built from the same sources
# (build/win64), and the 32-bit tree keeps only its checks that need no Wine.
wine_tree="$root/build/windows"
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "test: this kernel runs no 32-bit programs; the Wine tests run 64-bit (build/win64)"
    wine_tree="$root/build/win64"
    cmake -S "$root" -B "$wine_tree" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
    cmake --build "$wine_tree" -j "$jobs"
fi

status=0
# Each fuzz target starts from its committed corpus; what it finds goes to a
# scratch folder, and a crash leaves its input in build/fuzz/crashes.
fuzz_seconds=${TAPDECK_FUZZ_SECONDS:-60}
for target in "$root"/build/fuzz/fuzz/*_fuzz; do
    name=$(basename "$target" _fuzz)
    work="$root/build/fuzz/work/$name"
    rm -rf "$work" && mkdir -p "$work" "$root/build/fuzz/crashes"
    if "$target" "$work" "$root/fuzz/corpus/$name" -dict="$root/fuzz/$name.dict" \
        -max_total_time="$fuzz_seconds" -artifact_prefix="$root/build/fuzz/crashes/" \
        >"$root/build/fuzz/$name.log" 2>&1; then
        echo "fuzz $name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$root/build/fuzz/$name.log")"
    else
        tail -n 40 "$root/build/fuzz/$name.log"
        echo "fuzz $name: FAILED (input in build/fuzz/crashes)"
        status=1
    fi
done
ctest --test-dir "$root/build/native" --output-on-failure || status=1
if [[ "$wine_tree" != "$root/build/windows" ]]; then
    ctest --test-dir "$root/build/windows" --output-on-failure --label-exclude wine || status=1
fi
# A Wine program that fails is run once more: Wine takes activation through
# the X server, and on a saturated machine a window can lose it for a moment.
# One busy moment must not fail the whole run, but it must be seen: the
# second run is announced with the program's name, and a program that fails
# twice fails the run.
if ! ctest --test-dir "$wine_tree" --output-on-failure; then
    failed=$(sed 's/^[0-9]*://' "$wine_tree/Testing/Temporary/LastTestsFailed.log" | tr '\n' ' ')
    echo "test: running again what failed once under Wine: $failed"
    ctest --test-dir "$wine_tree" --output-on-failure --rerun-failed || status=1
fi
exit $status
