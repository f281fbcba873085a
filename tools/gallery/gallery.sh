# The gallery: each program's scene shot (tools/gallery/scenes.txt, played by the gallery player
# under Wine), an index page of them and a contact sheet. Sourced by ./run and by the gallery's
# test after tools/common.sh; the caller provides the screen, the Wine prefix and the printer.

GALLERY_DIR=$ROOT/tools/gallery
GALLERY_SCENES=$GALLERY_DIR/scenes.txt
# Arguments for the program instead of its scene's (./run NAME ARGS).
GALLERY_ARGS=()

# gallery_shoot <name> <shots folder> [build tree]: plays the program's scene and saves
# <shots>/<name>.png, and for a scene that saves frames (a program whose technique is movement)
# the animation <shots>/<name>.gif; the player's report (the kind of shot, the rectangles) goes to
# <shots>/<name>.txt. Non-zero when no shot was saved.
gallery_shoot() {
    local name=$1 shots=$2 tree=${3:-$BUILD/x86_64}
    mkdir -p "$shots"
    rm -f "$shots/$name.png" "$shots/$name.bmp" "$shots/$name.gif" "$shots/$name".frame*.bmp
    timeout 120 $WINE "$tree/tests/gallery.exe" "$(winepath_of "$GALLERY_SCENES")" \
        "$(winepath_of "$shots")" "$name" "${GALLERY_ARGS[@]}" >"$shots/$name.txt" 2>"$shots/$name.err"
    local status=$?
    # Wine writes its console output with CR LF.
    sed -i 's/\r$//' "$shots/$name.txt" "$shots/$name.err"
    [ "$status" = 0 ] && [ -s "$shots/$name.bmp" ] || return 1
    # The player's pixels carry no alpha: read them as opaque.
    convert "$shots/$name.bmp" -alpha off "$shots/$name.png" || return 1
    rm -f "$shots/$name.bmp"
    gallery_animate "$name" "$shots"
}

# gallery_animate <name> <shots folder>: the frames the player saved, as a looping GIF, each
# shown as long as the player waited between them (ImageMagick counts in hundredths).
gallery_animate() {
    local name=$1 shots=$2 count delay frames=() i
    read -r count delay < <(sed -n 's/^frames \([0-9]*\) \([0-9]*\)$/\1 \2/p' "$shots/$name.txt")
    [ -n "${count:-}" ] || return 0
    for i in $(seq 1 "$count"); do
        frames+=("$shots/$name.frame$i.bmp")
    done
    convert -delay $(((delay + 5) / 10)) -loop 0 "${frames[@]}" -alpha off -resize '640x480>' \
        "$shots/$name.gif" || return 1
    rm -f "${frames[@]}"
}

# The README's line for a program ("what it shows"), HTML-escaped.
gallery_readme_line() {
    grep -m1 "^| \`$1\` |" "$ROOT/README.md" | sed 's/^| `[^`]*` | //; s/ |$//' |
        sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g; s/`\([^`]*\)`/<code>\1<\/code>/g'
}

# The subsystem folder of a program.
gallery_subsystem() {
    local d
    for d in "$ROOT"/*/"$1"/; do
        [ -f "$d/$1.cpp" ] && basename "$(dirname "$d")" && return 0
    done
    echo other
}

# The programs in the README's order (those it does not list yet at the end).
gallery_order() {
    local listed
    listed=$(sed -n 's/^| `\([a-z0-9]*\)` | .*/\1/p' "$ROOT/README.md")
    local wanted
    wanted=$(printf '%s\n' "$@")
    {
        for n in $listed; do grep -qx "$n" <<<"$wanted" && echo "$n"; done
        for n in "$@"; do grep -qx "$n" <<<"$listed" || echo "$n"; done
    } | tr '\n' ' '
}

# gallery_index <shots folder> <names...>: index.html, one card per program grouped by subsystem
# in the README's order; a program without a scene is marked as showing its start-up only.
gallery_index() {
    local shots=$1
    shift
    local order subsystems s n kind
    order=$(gallery_order "$@")
    subsystems=$(for n in $order; do gallery_subsystem "$n"; done | awk '!seen[$0]++')
    {
        cat <<'HEAD'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>The programs</title>
<style>
body { font-family: sans-serif; margin: 1em 2em; background: #f4f4f4; }
.cards { display: flex; flex-wrap: wrap; gap: 1em; }
.card { background: #fff; border: 1px solid #ccc; padding: .6em; width: 330px; }
.card img { max-width: 330px; max-height: 260px; display: block; margin: 0 auto .4em; }
.card h3 { margin: 0; font-family: monospace; }
.card p { margin: .3em 0 0; font-size: 90%; }
.note { color: #a00; }
</style></head><body>
<h1>The programs</h1>
HEAD
        for s in $subsystems; do
            echo "<h2>$s</h2>"
            echo '<div class="cards">'
            for n in $order; do
                [ "$(gallery_subsystem "$n")" = "$s" ] || continue
                kind=$(sed -n 's/^shot [^ ]* \([a-z]*\) .*/\1/p' "$shots/$n.txt" 2>/dev/null)
                echo "<div class=\"card\" id=\"$n\">"
                if [ -f "$shots/$n.png" ]; then
                    echo "<a href=\"$n.png\"><img src=\"$n.png\" alt=\"$n\"></a>"
                else
                    echo '<p class="note">no shot</p>'
                fi
                echo "<h3>$n</h3>"
                echo "<p>$(gallery_readme_line "$n")</p>"
                [ "$kind" = startup ] && echo '<p class="note">no scene yet: as it starts</p>'
                echo '</div>'
            done
            echo '</div>'
        done
        echo '</body></html>'
    } >"$shots/index.html"
}

# gallery_sheet <shots folder> <names...>: gallery.png, every shot with its name under it.
gallery_sheet() {
    local shots=$1
    shift
    local files=() n
    for n in $(gallery_order "$@"); do
        [ -f "$shots/$n.png" ] && files+=("$shots/$n.png")
    done
    [ ${#files[@]} -gt 0 ] || return 1
    montage -label '%t' -font DejaVu-Sans -pointsize 14 "${files[@]}" \
        -geometry '240x180>+8+8' -tile 9x -background '#e8e8e8' "$shots/gallery.png"
}
