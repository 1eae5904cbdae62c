#!/usr/bin/env bash
# Builds moritelda and starts it in a Wine virtual desktop with a taskbar, on
# $DISPLAY. With no display it uses a private screen instead: it starts the
# program, takes a screenshot, prints its path and ends everything it started.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
mkdir -p "$BUILD"
BUILD_TARGETS="moritelda keywatch" build_windows64

# moritelda keeps its files in its own directory.
APP_DIR="$BUILD/app"
mkdir -p "$APP_DIR"
cp "$BUILD/win64/bin/moritelda.exe" "$APP_DIR/"
[ -f "$BUILD/win64/bin/keywatch.exe" ] && cp "$BUILD/win64/bin/keywatch.exe" "$APP_DIR/"

trap stop_wine_session EXIT
trap "exit 130" INT
trap "exit 143" TERM
if [ -n "${DISPLAY:-}" ]; then
    start_wine_session "$DISPLAY"
    log "moritelda runs on $DISPLAY; its files are in $APP_DIR"
    "$WINE" "$APP_DIR/moritelda.exe"
else
    start_wine_session
    "$WINE" "$APP_DIR/moritelda.exe" &
    WINE_PIDS+=($!)
    sleep 5
    shot="$BUILD/screenshot-$(date +%Y%m%d-%H%M%S).png"
    import -display "$DISPLAY" -window root "$shot"
    echo "$shot"
fi
