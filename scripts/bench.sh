#!/usr/bin/env bash
# Measures one desktop switch of moritelda.exe under Wine with 10, 30, 60 and
# 120 task windows against the bare hide/show/restack work, and prints the
# table. Arguments go to switch_bench.exe: [--rounds R] [N...].
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

started=$SECONDS
ensure_packages
mkdir -p "$BUILD"
build_windows64

trap stop_wine_session EXIT
trap "exit 130" INT
trap "exit 143" TERM
start_wine_session
log "switch benchmark under Wine"
"$WINE" "$BUILD/win64/bin/switch_bench.exe" "$@"
log "bench.sh took $((SECONDS - started)) s in all"
