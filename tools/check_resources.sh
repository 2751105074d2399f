#!/usr/bin/env bash
# Checks the program's resources with tools we did not write.
#   check_resources.sh PROGRAM.exe   the linked program holds the icon group
#                                     IDI_ICON1 and cursors 1006 and 1007 with
#                                     the right images
#   check_resources.sh --art DIR     the committed images equal what
#                                     draw_resources.py draws into DIR
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

fail() { echo "check_resources: $*" >&2; exit 1; }

if [[ "${1:-}" == "--art" ]]; then
    out=${2:?output folder missing}
    rm -rf "$out" && mkdir -p "$out"
    python3 "$source_dir/tools/draw_resources.py" --out "$out"
    for f in tapdeck.ico move.cur insert.cur; do
        cmp "$source_dir/resources/$f" "$out/$f" || fail "resources/$f differs from what its art draws; rerun tools/draw_resources.py"
    done
    echo "committed images match their art"
    exit 0
fi

program=${1:?program missing}
listing=$(wrestool -l "$program")
echo "$listing"
grep -q -- "--type=14 --name='IDI_ICON1'" <<<"$listing" || fail "no icon group IDI_ICON1"
grep -q -- "--type=12 --name=1006" <<<"$listing" || fail "no cursor group 1006"
grep -q -- "--type=12 --name=1007" <<<"$listing" || fail "no cursor group 1007"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The icon group comes out as a .ico file that icotool lists.
wrestool -x --type=14 --name=IDI_ICON1 -o "$work/icon.ico" "$program"
got=$(icotool -l "$work/icon.ico")
echo "IDI_ICON1: $got"
[[ "$got" == "--icon --index=1 --width=32 --height=32 --bit-depth=4 --palette-size=16
--icon --index=2 --width=16 --height=16 --bit-depth=4 --palette-size=16" ]] || fail "IDI_ICON1 holds other images"

# wrestool rebuilds cursor groups with a wrong image size (it counts the hot
# spot words twice), so the cursors are compared raw: each RT_CURSOR image must
# be the hot spot followed by the committed file's image, which icotool lists.
expected_cursor="--cursor --index=1 --width=32 --height=32 --bit-depth=4 --palette-size=16 --hotspot-x=15 --hotspot-y=15"
for pair in 1006:move.cur 1007:insert.cur; do
    group=${pair%%:*} file="$source_dir/resources/${pair#*:}"
    got=$(icotool -l "$file")
    [[ "$got" == "$expected_cursor" ]] || fail "$file lists $got"
    # The one entry of the group directory names its image by the word at byte 18.
    image_id=$(wrestool -x --raw --type=12 --name="$group" "$program" | od -An -tu2 -j18 -N2 | tr -d ' ')
    wrestool -x --raw --type=1 --name="$image_id" "$program" >"$work/raw.bin"
    { head -c 14 "$file" | tail -c 4; tail -c +23 "$file"; } >"$work/expected.bin"  # hot spot, then image
    cmp -s "$work/raw.bin" "$work/expected.bin" || fail "cursor $group is not the image of $file"
    echo "cursor $group: image $image_id is $(basename "$file"): $got"
done
echo "resources in $program are as drawn"
