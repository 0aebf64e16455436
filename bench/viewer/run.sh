#!/bin/bash
# ./qrv bench viewer: the viewer's panel chain through CLead under Wine, with
# its ratio to the same chain on the natively built imaging core.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"
source "$ROOT/cmake/harness.sh"
cmake --preset native >/dev/null
cmake --build --preset native --target qrv_imaging >/dev/null
NATIVE="$ROOT/build/native/bin/bench_viewer_core"
mkdir -p "$(dirname "$NATIVE")"
g++ -O3 -DNDEBUG -std=c++17 -I"$ROOT" bench/viewer/bench_viewer_core.cpp \
    "$ROOT/build/native/lib/libqrv_imaging.a" -o "$NATIVE"
native_ms="$("$NATIVE")"
qrv_build win64 | tail -3
qrv_xvfb_start
qrv_wine_env
rc=0
(cd build/win64/bin && "$ROOT/cmake/wine-run.sh" ./bench_viewer.exe "$native_ms") || rc=$?
qrv_wine_stop
qrv_xvfb_stop
exit $rc
