# Shared by ./run and ./test: packages, the two builds, and the Wine environment (a screen, a
# prefix with a virtual desktop, one persistent wineserver). Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
WINE=/usr/lib/wine/wine64

PACKAGES=(
    cmake ninja-build clang-format
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine64 fonts-wine fonts-dejavu-core fonts-wqy-microhei xvfb x11-apps x11-utils imagemagick xclip googletest
    cups cups-bsd printer-driver-cups-pdf poppler-utils clang libclang-rt-14-dev
    python3-pygments python3-clang-14 chromium
)

log() { printf '\033[1m== %s\033[0m\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        log "installing ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
            "${missing[@]}" || return 1
    fi
    ensure_wine32
    return 0
}

# Whether this machine's kernel runs 32-bit x86 code, which differs between machines of one kind:
# a 96-byte static i386 program that only exits with status 42 either does so or is refused.
# RUNS_32BIT_WHY says why not.
runs_32bit() {
    local probe=$BUILD/exit42-i386
    mkdir -p "$BUILD"
    # ELF header; one loadable segment; mov eax,1; mov ebx,42; int 0x80.
    printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80' >"$probe"
    printf '\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$probe"
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
    printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >>"$probe"
    chmod +x "$probe"
    local out status
    out=$("$probe" 2>&1)
    status=$?
    [ "$status" = 42 ] && return 0
    RUNS_32BIT_WHY="the kernel does not run 32-bit x86 programs (a static i386 program: ${out:-exit status $status})"
    return 1
}

# Where the kernel runs 32-bit code, Wine's 32-bit loader (Debian's wine32, architecture i386, the
# same Wine as wine64) runs the 32-bit build in the same prefixes. Installing it also brings some
# amd64 libraries to the matching point release and makes /usr/bin/wine the launcher for both;
# the tests keep calling the 64-bit loader, which hands 32-bit programs to the 32-bit one.
# Sets PASS32 to 1 when the 32-bit build can run, else 0 with RUNS_32BIT_WHY.
ensure_wine32() {
    PASS32=0
    runs_32bit || return 0
    if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
        log "installing wine32 (this machine runs 32-bit code)"
        dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
        if ! { as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
            as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
                --no-install-recommends wine32:i386; }; then
            RUNS_32BIT_WHY="wine32 could not be installed"
            return 0
        fi
    fi
    [ -x /usr/lib/wine/wine ] || {
        RUNS_32BIT_WHY="wine32 is installed but /usr/lib/wine/wine is missing"
        return 0
    }
    PASS32=1
}

# configure_and_build <arch> [targets...]
build_arch() {
    local arch=$1
    shift
    local dir=$BUILD/$arch extra=()
    [ "$arch" = x86_64 ] && extra=(-DSUITE_TESTS=ON)
    # Configured every time (quick when nothing changed), so that a subsystem folder added since the
    # last run is picked up.
    cmake -S "$ROOT" -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$arch.cmake" "${extra[@]}" >/dev/null || return 1
    if [ $# -gt 0 ]; then
        cmake --build "$dir" --target "$@"
    else
        cmake --build "$dir"
    fi
}

# The names of all programs, from the one-line entries of the build.
program_names() {
    grep -h -o '^add_program([a-z0-9_/]*' "$ROOT"/*/CMakeLists.txt | sed 's/.*[(/]//' | sort
}

# A private X screen; Xvfb itself picks a free display number and reports it, so concurrent runs
# never share a screen. XVFB_DEPTH picks its colour depth (24 bits, or 8 for a screen with a
# 256-colour palette).
start_xvfb() {
    mkdir -p "$BUILD"
    local numfile=$BUILD/xvfb.display
    rm -f "$numfile"
    Xvfb -displayfd 1 -screen 0 "1024x768x${XVFB_DEPTH:-24}" -nolisten tcp >"$numfile" \
        2>"$BUILD/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$numfile" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    local n
    n=$(head -n1 "$numfile" 2>/dev/null)
    if [ -z "$n" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
        echo "Xvfb did not start (see $BUILD/xvfb.log)" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

# wine_env <prefix>: the variables every Wine call of a run shares.
wine_env() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
}

# What a prepared prefix depends on: Wine (and whether its 32-bit loader is there), the settings loaded into it, Wine's own fonts.
settings_stamp() {
    (/usr/lib/wine/wine64 --version; ls /usr/lib/wine; cat "$ROOT/tools/wine-settings.reg"; ls /usr/share/wine/fonts) 2>&1 | md5sum
}

# prefix_current <prefix>: prepared, for today's Wine and settings.
prefix_current() {
    [ -f "$1/.suite-ready" ] && [ "$(cat "$1/.stamp" 2>/dev/null)" = "$(settings_stamp)" ]
}

# The persistent wineserver of $WINEPREFIX, listening when this returns (`wineserver -p` returns
# once its server is ready). Left to start in the background, it could lose the race to the first
# Wine program, which then starts a server of its own that ends three seconds after its last
# client; a test started in that moment is lost before it prints anything. With "shared", a
# server already running for the prefix (another ./run in it) will do.
start_wineserver() {
    /usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null
    local status=$?
    [ "$status" = 0 ] || { [ "$status" = 2 ] && [ "${1:-}" = shared ]; } && return 0
    echo "the wineserver of $WINEPREFIX did not start (or another one already serves it)" >&2
    return 1
}

# start_wine <prefix> <fresh:0|1>: a prefix with the virtual desktop, 96 DPI and no crash dialog,
# and one wineserver kept alive for the whole run so that each program starts quickly. A prefix
# prepared for other settings or another Wine is made again.
start_wine() {
    local prefix=$1 fresh=$2
    wine_env "$prefix"
    if [ "$fresh" = 1 ] || { [ -f "$prefix/.suite-ready" ] && ! prefix_current "$prefix"; }; then
        /usr/lib/wine/wineserver -k >/dev/null 2>&1
        rm -rf "$prefix"
    fi
    mkdir -p "$prefix"
    start_wineserver shared || return 1
    if [ ! -f "$prefix/.suite-ready" ]; then
        log "preparing the Wine prefix"
        $WINE wineboot -i >/dev/null 2>&1
        # Wine's own fonts (Marlett draws the caption buttons, Tahoma the dialogs) are not picked
        # up from the package's data directory here; the prefix's font folder is always searched.
        cp /usr/share/wine/fonts/*.tt? "$prefix/drive_c/windows/Fonts/" 2>/dev/null
        $WINE regedit /S "$(winepath_of "$ROOT/tools/wine-settings.reg")" >/dev/null 2>&1
        # Restart so that the desktop settings hold for every process from now on.
        /usr/lib/wine/wineserver -k >/dev/null 2>&1
        /usr/lib/wine/wineserver -w >/dev/null 2>&1
        start_wineserver || return 1
        settings_stamp >"$prefix/.stamp"
        touch "$prefix/.suite-ready"
    fi
    $WINE cmd /c exit >/dev/null 2>&1
}

# set_prefix_dpi <prefix> <dpi>: the screen's DPI of a prepared prefix whose wineserver is not
# running (it reads the registry files as it starts and writes them back as it ends): every
# LogPixels value the settings put there (the user's desktop and the current hardware profile's
# fonts) is rewritten, which costs nothing beside preparing a second prefix.
set_prefix_dpi() {
    local prefix=$1 value
    value=$(printf 'dword:%08x' "$2")
    sed -i 's/^"LogPixels"=dword:[0-9a-f]*$/"LogPixels"='"$value"'/' "$prefix/user.reg" \
        "$prefix/system.reg" || return 1
    # Both the user's value and the hardware profile's must have been there.
    grep -qx "\"LogPixels\"=$value" "$prefix/user.reg" &&
        grep -qx "\"LogPixels\"=$value" "$prefix/system.reg" || {
        echo "no LogPixels values in $prefix to set to $2 DPI" >&2
        return 1
    }
}

# start_wine_at_dpi <prefix> <dpi>: start_wine, the prefix's screen at <dpi>: set once, with its
# wineserver stopped, and remembered in the prefix (made again, it is set again).
start_wine_at_dpi() {
    local prefix=$1 dpi=$2
    start_wine "$prefix" 0
    [ "$(cat "$prefix/.dpi" 2>/dev/null || echo 96)" = "$dpi" ] && return 0
    /usr/lib/wine/wineserver -k >/dev/null 2>&1
    /usr/lib/wine/wineserver -w >/dev/null 2>&1
    set_prefix_dpi "$prefix" "$dpi" || return 1
    echo "$dpi" >"$prefix/.dpi"
    setsid /usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null &
    $WINE cmd /c exit >/dev/null 2>&1
}

stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k >/dev/null 2>&1
    return 0
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    return 0
}

winepath_of() { echo "Z:${1//\//\\}"; }

# start_cups <dir>: a private CUPS scheduler for this run (its own socket, spool and state under
# <dir>) with a PDF queue as its default printer, writing documents into <dir>/out (exported as
# SUITE_PDF_DIR). Wine and the CUPS tools reach it through CUPS_SERVER, so the machine's own CUPS
# and other runs are untouched. Spooling is asynchronous.
start_cups() {
    local dir=$1 id
    id=suite$(printf '%s' "$dir" | md5sum | cut -c1-8)
    rm -rf "$dir"
    mkdir -p "$dir"/{conf,spool,cache,state,tmp,log,out}
    cat >"$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing Off
WebInterface No
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
    cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
CONF
    # The PDF backend reads the configuration named after its device URI's path.
    sed "s|^#\{0,1\}Out .*|Out $dir/out|" /etc/cups/cups-pdf.conf |
        as_root tee "/etc/cups/cups-pdf-$id.conf" >/dev/null
    CUPS_CONF_ID=$id
    local sudo=()
    [ "$(id -u)" = 0 ] || sudo=(sudo)
    "${sudo[@]}" /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" &
    CUPSD_PID=$!
    export CUPS_SERVER=$dir/cups.sock
    for _ in $(seq 1 50); do
        lpstat -r 2>/dev/null | grep -q 'is running' && break
        sleep 0.1
    done
    as_root env CUPS_SERVER="$CUPS_SERVER" lpadmin -p PDF -v "cups-pdf:/$id" -E \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
    as_root env CUPS_SERVER="$CUPS_SERVER" lpadmin -d PDF
    export SUITE_PDF_DIR=$dir/out
}

stop_cups() {
    if [ -n "${CUPSD_PID:-}" ]; then
        as_root kill "$CUPSD_PID" 2>/dev/null
        wait "$CUPSD_PID" 2>/dev/null
    fi
    [ -n "${CUPS_CONF_ID:-}" ] && as_root rm -f "/etc/cups/cups-pdf-$CUPS_CONF_ID.conf"
    return 0
}

# ---- Private environments for parallel tests ----
# Each environment is a world of its own: an Xvfb screen (so its own focus, desktop and X
# clipboard), a copy of one freshly prepared Wine prefix with its own persistent wineserver, and
# its own CUPS scheduler with the PDF printer. Its variables are written to <dir>/<k>.env, which
# tools/in-env reads for the test that CTest gives environment k. Every process started is
# recorded in <dir>/pids for stop_envs.

# With "palette", one more environment besides the <count> of the resource "env" has an 8-bit
# screen, where Wine shows a 256-colour system palette; the tests that need such a display (named
# "..._on_a_256_colour_display") take it. With "dpi", one more has a screen of 144 DPI (its prefix
# says so), for the tests named "..._at_144_dpi".
# start_envs <dir> <count> [palette] [dpi]
start_envs() {
    local dir=$1 count=$2 k extra with_palette='' with_dpi=''
    for extra in "${@:3}"; do
        case $extra in
        palette) with_palette=palette ;;
        dpi) with_dpi=dpi ;;
        esac
    done
    SUITE_ENVS=$dir
    export SUITE_ENVS
    rm -rf "$dir"
    mkdir -p "$dir"
    : >"$dir/pids"
    local homes=($(seq 1 "$count"))
    [ "$with_palette" = palette ] && homes+=(palette)
    [ "$with_dpi" = dpi ] && homes+=(dpi)
    for k in "${homes[@]}"; do
        mkdir -p "$dir/$k"
        local depth=24
        [ "$k" = palette ] && depth=8
        (BUILD=$dir/$k XVFB_DEPTH=$depth start_xvfb && echo "$XVFB_PID" >>"$dir/pids") || return 1
    done
    prepare_template "$dir/1" || return 1
    for k in "${homes[@]}"; do
        start_env "$dir" "$k" || return 1
    done
    # Wine's own start-up, once per environment, side by side.
    for k in "${homes[@]}"; do
        (source "$dir/$k.env" && $WINE cmd /c exit >/dev/null 2>&1) &
    done
    wait
    # CTest's view of them: one slot each.
    {
        printf '{"version":{"major":1,"minor":0},"local":[{"env":['
        for k in $(seq 1 "$count"); do
            [ "$k" -gt 1 ] && printf ','
            printf '{"id":"%s","slots":1}' "$k"
        done
        printf ']'
        [ "$with_palette" = palette ] && printf ',"palette":[{"id":"palette","slots":1}]'
        [ "$with_dpi" = dpi ] && printf ',"dpi":[{"id":"dpi","slots":1}]'
        printf '}]}\n'
    } >"$dir/resources.json"
}

# prepare_template <env home>: one prefix prepared from scratch (on that environment's screen) and
# then only copied, since preparing takes far longer than copying. No test ever runs in it, so it
# stays as prepared; it is made again when Wine or the settings change. The wineserver writes the
# registry out as it ends, so it must be gone before the prefix is copied.
prepare_template() {
    local template=$BUILD/wine-template stamp lock
    # Two runs in one tree must not prepare it at the same time.
    mkdir -p "$BUILD"
    exec {lock}>"$BUILD/wine-template.lock"
    flock "$lock"
    prepare_template_locked "$@"
    local status=$?
    flock -u "$lock"
    exec {lock}>&-
    return $status
}

prepare_template_locked() {
    local template=$BUILD/wine-template
    if prefix_current "$template"; then
        TEMPLATE=$template
        return 0
    fi
    (
        export DISPLAY=:$(head -n1 "$1/xvfb.display")
        start_wine "$template" 1
        /usr/lib/wine/wineserver -k >/dev/null 2>&1
        /usr/lib/wine/wineserver -w >/dev/null 2>&1
    )
    prefix_current "$template" || return 1
    TEMPLATE=$template
}

# start_env <dir> <k>: environment k's printer, prefix and wineserver, and its variables (a
# subshell keeps the variables of one from the next).
start_env() {
    local dir=$1 k=$2
    (
        local home=$dir/$k
        export DISPLAY=:$(head -n1 "$home/xvfb.display")
        start_cups "$home/cups" >/dev/null 2>&1 </dev/null
        echo "cups $CUPSD_PID $CUPS_CONF_ID" >>"$dir/pids"
        cp -a "$TEMPLATE" "$home/prefix" || exit 1
        if [ "$k" = dpi ]; then set_prefix_dpi "$home/prefix" 144 || exit 1; fi
        wine_env "$home/prefix"
        start_wineserver || exit 1
        cat >"$dir/$k.env" <<ENV
export DISPLAY=$DISPLAY WINEPREFIX=$home/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
export CUPS_SERVER=$CUPS_SERVER SUITE_PDF_DIR=$SUITE_PDF_DIR
ENV
    )
}

stop_envs() {
    local dir=${SUITE_ENVS:-} f
    [ -n "$dir" ] && [ -f "$dir/pids" ] || return 0
    for f in "$dir"/*.env; do
        [ -f "$f" ] || continue
        (source "$f" && /usr/lib/wine/wineserver -k >/dev/null 2>&1)
    done
    while read -r a b c; do
        if [ "$a" = cups ]; then
            [ -n "$b" ] && as_root kill "$b" 2>/dev/null
            [ -n "$c" ] && as_root rm -f "/etc/cups/cups-pdf-$c.conf"
        else
            kill "$a" 2>/dev/null
        fi
    done <"$dir/pids"
    : >"$dir/pids"
    return 0
}

# How many environments (and so tests at once): SUITE_JOBS, or one per core. More than that
# made the tests that give real mouse input miss now and then on a 2-core machine.
test_jobs() {
    echo "${SUITE_JOBS:-$(nproc)}"
}

# The native fuzzers (clang, libFuzzer and the sanitizers) in build/native.
build_native() {
    if [ ! -f "$BUILD/native/build.ninja" ]; then
        CXX=clang++ cmake -S "$ROOT/tests/fuzz" -B "$BUILD/native" -G Ninja >/dev/null || return 1
    fi
    cmake --build "$BUILD/native"
}
