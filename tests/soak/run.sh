#!/bin/bash
# A host's day in one process under Wine: run.sh [MINUTES] [PRESET] (default
# 30 minutes, win64; QRV_SOAK_SECONDS gives the length in seconds instead and
# QRV_SOAK_WARMUP the iterations left out of the growth, default 1,000, or a share such as "50%", as
# the short soak of ./qrv test does). qrv_soak.exe works in build/soak/work
# and prints the iterations done and the growth of private memory, handles
# and GDI objects per 1,000 iterations; its exit code says whether the growth
# stayed within its bounds and every step succeeded.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
MINUTES="${1:-30}"
PRESET="${2:-win64}"
SECONDS_TO_RUN="${QRV_SOAK_SECONDS:-$(( MINUTES * 60 ))}"
WORK="$ROOT/build/soak/work"
source "$ROOT/cmake/harness.sh"

cd "$ROOT"
[ -f "build/$PRESET/build.ninja" ] || cmake --preset "$PRESET" >/dev/null
cmake --build "$ROOT/build/$PRESET" --target qrv_soak >/dev/null
started_display=0
if [ -z "${DISPLAY:-}" ]; then qrv_xvfb_start; started_display=1; fi
qrv_wine_env
finish() { [ $started_display = 0 ] || qrv_xvfb_stop; }
trap finish EXIT
/usr/lib/wine/wine64 reg delete 'HKCU\Software\QRV Soak' /f >/dev/null 2>&1 || true
rm -rf "$WORK"; mkdir -p "$WORK"
rc=0
(cd "$ROOT/build/$PRESET/bin" && timeout $(( SECONDS_TO_RUN + 300 )) "$ROOT/cmake/wine-run.sh" ./qrv_soak.exe \
  "$SECONDS_TO_RUN" "Z:${WORK//\//\\}" "${QRV_SOAK_WARMUP:-1000}") >"$ROOT/build/soak/soak.log" 2>&1 || rc=$?
tr -d '\r' <"$ROOT/build/soak/soak.log" | grep -a '^soak' || tail -20 "$ROOT/build/soak/soak.log"
[ $rc = 0 ] || echo "soak: FAILED (exit code $rc)"
exit $rc
