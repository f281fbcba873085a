#!/usr/bin/env bash
# The traced scenes' test: traced.sh <x86_64 build tree> <subsystem folder>...
# Recording a program's messages must change nothing it does or shows. For every program in the
# folders, plays its scene in the private environment CTest gave the test twice, untraced and
# traced (as ./run --trace does), and compares the two shots pixel by pixel. A scene that moves (a
# clock, an animation) shows something else each time: where the two differ, the scene is played
# untraced twice more, and a difference fails only when the three untraced shots agree. Every trace
# decodes, and a program that shows a window of its own recorded its paints.
set -uo pipefail
tree=$1
shift
source "$(dirname "$0")/../ctest-env.sh"
source "$(dirname "$0")/../common.sh"
source "$ROOT/tools/gallery/gallery.sh"

shots=$(mktemp -d "$tree/traced-check.XXXXXX")
trap 'rm -rf "$shots"' EXIT
failures=0 same=0 moving=() varying=()
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
differing() {
    compare -metric AE "$shots/$1/$name.png" "$shots/$2/$name.png" null: 2>&1
}

for sub in "$@"; do
    for dir in "$ROOT/$sub"/*/; do
        name=$(basename "$dir")
        [ -f "$dir/$name.cpp" ] || continue
        trace=$shots/$name.trace
        if ! gallery_shoot "$name" "$shots/plain" "$tree"; then
            fail "$name: no shot: $(cat "$shots/plain/$name.err" "$shots/plain/$name.txt")"
            continue
        fi
        if ! SUITE_TRACE_FILE=$(winepath_of "$trace") \
            gallery_shoot "$name" "$shots/traced" "$tree"; then
            fail "$name: no traced shot: $(cat "$shots/traced/$name.err" "$shots/traced/$name.txt")"
            continue
        fi
        # Where the traced shot differs, the scene is played untraced twice more: a scene that
        # can end more than one way must show one of them traced, and only a scene that ends the
        # same way each time untraced fails for showing something else traced.
        differ=$(differing plain traced)
        varies=0 matched=0
        if [ "$differ" != 0 ]; then
            for again in again1 again2; do
                if ! gallery_shoot "$name" "$shots/$again" "$tree"; then
                    fail "$name: no untraced shot: $(cat "$shots/$again/$name.err" "$shots/$again/$name.txt")"
                    continue 2
                fi
                [ "$(differing plain "$again")" = 0 ] || varies=1
                [ "$(differing traced "$again")" = 0 ] && matched=1
            done
        fi
        if [ "$differ" = 0 ]; then
            same=$((same + 1))
        elif [ "$varies" = 0 ]; then
            fail "$name: traced, $differ pixels differ from the untraced shot, which shows the same three times"
            cp "$shots/plain/$name.png" "$tree/traced-check-$name.untraced.png"
            cp "$shots/traced/$name.png" "$tree/traced-check-$name.traced.png"
        elif [ "$matched" = 1 ]; then
            same=$((same + 1))
            varying+=("$name")
        else
            moving+=("$name")
        fi
        read -r _ _ kind _ < <(grep '^shot ' "$shots/traced/$name.txt")
        # A program that only prints or works on the screen may show no window: no trace.
        if [ ! -f "$trace" ] && [ "$kind" != scene ] && [ "$kind" != startup ]; then
            continue
        fi
        if ! $WINE "$tree/tests/trace.exe" "$(winepath_of "$trace")" >"$shots/$name.txt" 2>&1; then
            fail "$name: its trace does not decode: $(head -c 300 "$shots/$name.txt")"
        elif [ "$kind" = scene ] || [ "$kind" = startup ]; then
            grep -q '^ *[0-9.]* *WM_PAINT ' "$shots/$name.txt" ||
                fail "$name: its trace has no paint: $(head -c 300 "$shots/$name.txt")"
        fi
    done
done

echo "traced: $same shots the same as an untraced one (of scenes that end more than one way: ${varying[*]:-none});" \
    "scenes that move: ${moving[*]:-none}"
[ "$same" -gt 0 ] || fail "no scene was compared"
[ "$failures" = 0 ] || { echo "$failures failed"; exit 1; }
