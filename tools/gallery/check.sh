#!/usr/bin/env bash
# The gallery's test: check.sh <x86_64 build tree> <what>=<program>...
# Runs the gallery for a few programs of different kinds in the private environment CTest gave it
# and checks each shot as a newcomer would look at it: it exists, it is the program's windows cut
# out of the screen (its size is the rectangle around the windows the harness reads, smaller than
# the screen), it is not blank, and the index links it. The printed page is a page: taller than
# wide. A program the scenes file does not list is shot as it starts and marked so in the index.
set -uo pipefail
tree=$1
shift
source "$(dirname "$0")/../ctest-env.sh"
source "$(dirname "$0")/../common.sh"
source "$ROOT/tools/gallery/gallery.sh"

shots=$(mktemp -d "$tree/gallery-check.XXXXXX")
trap 'rm -rf "$shots"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

screen_w=1024 screen_h=768
names=()
for pair in "$@"; do
    what=${pair%%=*} name=${pair#*=}
    names+=("$name")
    # "unlisted": a program the scenes file has no line for gets its start-up shot, marked so.
    GALLERY_SCENES=$ROOT/tools/gallery/scenes.txt
    if [ "$what" = unlisted ]; then
        grep -v "^$name\b" "$GALLERY_SCENES" >"$shots/scenes.txt"
        GALLERY_SCENES=$shots/scenes.txt
    fi
    if ! gallery_shoot "$name" "$shots" "$tree"; then
        fail "$what ($name): no shot: $(cat "$shots/$name.err")"
        continue
    fi
    read -r _ _ kind left top right bottom < <(grep '^shot ' "$shots/$name.txt")
    read -r w h < <(identify -format '%w %h' "$shots/$name.png")
    echo "$what ($name): $kind shot ${w}x$h, crop $left,$top-$right,$bottom"
    # Not blank: inside the frame, caption and menu bar, several colours and none covering
    # almost all of it.
    colours=$(identify -format '%k' "$shots/$name.png")
    inner_w=$((w - 12)) inner_h=$((h - 48))
    inner=$(convert "$shots/$name.png" -crop "${inner_w}x$inner_h+6+42" +repage \
        -format %c histogram:info:- | sort -rn)
    inner_colours=$(wc -l <<<"$inner")
    top_share=$(awk -v all=$((inner_w * inner_h)) 'NR == 1 { printf "%d", 100 * $1 / all }' <<<"$inner")
    if [ "$kind" = printed ]; then
        [ "$h" -gt "$w" ] && [ "$w" -gt 100 ] || fail "$what ($name): the page is ${w}x$h"
        [ "$colours" -ge 2 ] || fail "$what ($name): the page has no edge"
        continue
    fi
    if [ "$what" = unlisted ]; then
        [ "$kind" = startup ] || fail "$what ($name): shown as '$kind', not as it starts"
    else
        [ "$kind" = scene ] || fail "$what ($name): shown as '$kind', not in its scene"
    fi
    [ "$inner_colours" -ge 3 ] && [ "$top_share" -lt 97 ] ||
        fail "$what ($name): blank ($inner_colours colours inside, one covers $top_share%)"
    [ "$w" = $((right - left)) ] && [ "$h" = $((bottom - top)) ] ||
        fail "$what ($name): ${w}x$h is not the windows' rectangle $((right - left))x$((bottom - top))"
    [ "$w" -lt "$screen_w" ] || [ "$h" -lt "$screen_h" ] ||
        fail "$what ($name): the whole screen, not cropped to the program"
    # The crop is exactly the rectangle around the windows (no desktop around them).
    union=$(awk '/^window / { if (!n++ || $2 < l) l = $2; if (n == 1 || $3 < t) t = $3;
                              if (n == 1 || $4 > r) r = $4; if (n == 1 || $5 > b) b = $5 }
                 END { if (l < 0) l = 0; if (t < 0) t = 0; if (r > 1024) r = 1024; if (b > 768) b = 768;
                       print l, t, r, b }' "$shots/$name.txt")
    [ "$union" = "$left $top $right $bottom" ] ||
        fail "$what ($name): cropped to $left $top $right $bottom, the windows are at $union"
done

gallery_index "$shots" "${names[@]}"
for name in "${names[@]}"; do
    [ -f "$shots/$name.png" ] || continue
    grep -q "<img src=\"$name.png\"" "$shots/index.html" ||
        fail "the index does not show $name.png"
    grep -q "<h3>$name</h3>" "$shots/index.html" || fail "the index does not name $name"
done
grep -q '<p>[^<]' "$shots/index.html" || fail "the index has no README lines"
for pair in "$@"; do
    [ "${pair%%=*}" = unlisted ] || continue
    grep -A5 "id=\"${pair#*=}\"" "$shots/index.html" | grep -q 'no scene yet' ||
        fail "the index does not mark ${pair#*=} as having no scene"
done

if [ "$failures" -gt 0 ]; then
    cp -r "$shots" "$tree/gallery-check-failed"
    echo "$failures failed (shots kept in $tree/gallery-check-failed)"
    exit 1
fi
echo "gallery: ${#names[@]} shots checked"
