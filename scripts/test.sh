#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer), the Windows-side tests and
# the end-to-end tests under Wine, and the 32-bit Windows build. Exits non-zero
# on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
mkdir -p "$BUILD"

configure_and_build native -DMORITELDA_SANITIZE=ON
log "native tests"
ctest --test-dir "$BUILD/native" --output-on-failure -j "$JOBS"

build_windows64
configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DMORITELDA_TESTS=OFF

trap stop_wine_session EXIT
trap "exit 130" INT
trap "exit 143" TERM
start_wine_session
log "Windows-side and end-to-end tests under Wine"
# One case at a time: the cases share one screen, one taskbar and the
# program's single-instance mutex.
ctest --test-dir "$BUILD/win64" --output-on-failure --timeout 120
