#!/usr/bin/env bash
# The site's test: check.sh <x86_64 build tree> <program>... -- <used call>... -- <unused call>...
# Shoots the given programs with the gallery in the private environment CTest gave it, writes the
# site for them alone, and checks it as a reader would follow it (check_site.py: pages, links and
# anchors, sources byte for byte, the index of calls, animations). Then opens the index and the
# first program's page in headless Chromium and checks the screenshots: not blank, and showing
# the program's shot (found in the screenshot by ImageMagick's sub-image search, at the size the
# page shows it).
set -uo pipefail
tree=$1
shift
source "$(dirname "$0")/../ctest-env.sh"
source "$(dirname "$0")/../common.sh"
source "$ROOT/tools/gallery/gallery.sh"

programs=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    programs+=("$1")
    shift
done
calls=("$@")

work=$(mktemp -d "$tree/site-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

mkdir -p "$work/traces"
for n in "${programs[@]}"; do
    # Traced, as ./run --site does, for the pages' Messages sections.
    SUITE_TRACE_FILE=$(winepath_of "$work/traces/$n.bin") \
        gallery_shoot "$n" "$work/shots" "$tree" || fail "$n: no shot: $(cat "$work/shots/$n.err")"
    $WINE "$tree/tests/trace.exe" --fold "$(winepath_of "$work/traces/$n.bin")" | sed 's/\r$//' \
        >"$work/traces/$n.txt" || fail "$n: no trace"
    # A scene that saves frames makes an animation.
    if grep -q "^$n .*\bframes\?\b" "$GALLERY_SCENES" && [ ! -f "$work/shots/$n.gif" ]; then
        fail "$n: its scene saves frames, but there is no animation"
    fi
done
site=$work/site
if ! /usr/bin/python3 "$ROOT/tools/site/site.py" --traces "$work/traces" --build "$tree" "$ROOT" \
    "$work/shots" "$site" "${programs[@]}" >"$work/site.log" 2>&1; then
    cat "$work/site.log"
    fail "the site was not written"
fi
/usr/bin/python3 "$ROOT/tools/site/check_site.py" "$ROOT" "$site" "${programs[@]}" "${calls[@]}" ||
    failures=$((failures + 1))

# browse <page> <png>: the page as headless Chromium shows it in a 1200 x 900 window.
browse() {
    local profile
    profile=$(mktemp -d "$work/chromium.XXXXXX")
    timeout 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --force-device-scale-factor=1 --hide-scrollbars \
        --window-size=1200,900 --screenshot="$2" "file://$1" >>"$work/chromium.log" 2>&1
    [ -s "$2" ]
}

# shows <screenshot> <shot> <width>x<height>: the shot, at the size given, is somewhere in the
# screenshot. Both are reduced to a quarter first, so that the search takes seconds; a match
# differs from the shot by a few percent (scaling), another picture by far more.
shows() {
    convert "$2" -resize "$3" -scale 25% "$work/wanted.png"
    convert "$1" -scale 25% "$work/seen.png"
    local score
    score=$(compare -metric RMSE -subimage-search "$work/seen.png" "$work/wanted.png" null: 2>&1 |
        sed -n 's/^[0-9.e+-]* (\([0-9.e+-]*\)).*/\1/p' | head -n1)
    echo "  $(basename "$1"): $(basename "$2") found with a difference of ${score:-?}"
    [ -n "$score" ] && awk -v s="$score" 'BEGIN { exit !(s < 0.07) }'
}

# not_blank <screenshot>: several colours, none covering almost all of it.
not_blank() {
    local hist colours top
    hist=$(convert "$1" -format %c histogram:info:- | sort -rn)
    colours=$(wc -l <<<"$hist")
    top=$(awk 'NR == 1 { printf "%d", 100 * $1 / (1200 * 900) }' <<<"$hist")
    [ "$colours" -ge 20 ] && [ "$top" -lt 95 ]
}

first=${programs[0]}
if [ -f "$work/shots/$first.png" ] && [ -f "$site/index.html" ]; then
    for page in index "$first"; do
        if ! browse "$site/$page.html" "$work/$page.png"; then
            fail "Chromium showed nothing for $page.html: $(tail -n3 "$work/chromium.log")"
            continue
        fi
        not_blank "$work/$page.png" || fail "$page.html looks blank in Chromium"
    done
    # The index shows each card's shot fitted into 330 x 260, the program's page at its own size.
    [ -f "$work/index.png" ] && { shows "$work/index.png" "$work/shots/$first.png" '330x260>' ||
        fail "index.html does not show the shot of $first"; }
    [ -f "$work/$first.png" ] && { shows "$work/$first.png" "$work/shots/$first.png" '100%' ||
        fail "$first.html does not show its shot"; }
fi

if [ "$failures" -gt 0 ]; then
    rm -rf "$tree/site-check-failed"
    cp -r "$work" "$tree/site-check-failed"
    echo "$failures failed (the site and the screenshots kept in $tree/site-check-failed)"
    exit 1
fi
echo "site: ${#programs[@]} programs checked"
