# Shared set-up of the README's commands: packages, builds, and a private Wine
# session (its own X display, its own Wine prefix) that is ended by process id.
# Sourced by run.sh, test.sh and bench.sh.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="${MORITELDA_BUILD:-$ROOT/build}"
WINE=/usr/lib/wine/wine64
JOBS=$(nproc 2>/dev/null || echo 2)

PACKAGES="cmake make g++ python3 googletest g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
wine wine64 xvfb xdotool x11-utils imagemagick locales fonts-ipafont-gothic"

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
    local missing=""
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        log "installing:$missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q >/dev/null
        apt-get install -y -q --no-install-recommends $missing >/dev/null
    fi
    # Wine runs with a Japanese locale, so the ANSI code page is 932 and the
    # program's texts come out as its users see them.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
        log "enabling the ja_JP.UTF-8 locale"
        sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen >/dev/null
    fi
}

# Configures and builds one tree; BUILD_TARGETS, when set, limits the build to
# those targets.
configure_and_build() {  # name, extra cmake arguments...
    local name=$1; shift
    log "building $name"
    cmake -S "$ROOT" -B "$BUILD/$name" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$BUILD/$name.configure.log" 2>&1 \
        || { cat "$BUILD/$name.configure.log"; return 1; }
    local targets=()
    [ -n "${BUILD_TARGETS:-}" ] && targets=(--target $BUILD_TARGETS)
    cmake --build "$BUILD/$name" -j "$JOBS" "${targets[@]}" >"$BUILD/$name.build.log" 2>&1 \
        || { tail -n 60 "$BUILD/$name.build.log"; return 1; }
}

build_windows64() {
    configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DMORITELDA_TESTS=ON "$@"
}

# --- the Wine session -------------------------------------------------------

WINE_PIDS=()
XVFB_PID=""

free_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo ":$n"; return; }
    done
    return 1
}

# Starts a private Xvfb screen unless use_display is given, and a fresh Wine
# prefix whose programs run inside Wine's virtual desktop with its taskbar.
start_wine_session() {  # [use_display]
    mkdir -p "$BUILD"
    if [ -n "${1:-}" ]; then
        export DISPLAY=$1
    else
        export DISPLAY=$(free_display)
        Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
    fi
    export WINEPREFIX
    WINEPREFIX=$(mktemp -d /tmp/moritelda-wine.XXXXXX)
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    log "wine session: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
    "$WINE" wineboot -i >"$BUILD/wineboot.log" 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1280x800 /f >/dev/null 2>&1
    # A persistent wineserver, warmed by one long-lived program, makes every
    # later program start in a fraction of a second.
    wineserver -p 2>/dev/null || true  # a server started by wineboot may be running already
    "$WINE" "$BUILD/win64/bin/wine_idle.exe" >/dev/null 2>&1 &
    WINE_PIDS+=($!)
    "$WINE" cmd /c exit >/dev/null 2>&1
}

# Ends everything the session started; keeps the exit status of the caller.
stop_wine_session() {
    local status=$?
    set +e
    [ -n "${WINEPREFIX:-}" ] || return $status
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    local pid
    for pid in "${WINE_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    case "$WINEPREFIX" in /tmp/moritelda-wine.*) rm -rf "$WINEPREFIX" ;; esac
    WINEPREFIX=""
    return $status
}
