#!/bin/bash
# ./qrv bench browse: the shell tree expanding a folder of 5,000 files under Wine.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"
source "$ROOT/cmake/harness.sh"
qrv_build win64 >/dev/null
qrv_xvfb_start
qrv_wine_env
trap 'qrv_wine_stop; qrv_xvfb_stop' EXIT
bash "$ROOT/bench/browse/make_big_folder.sh"
rc=0
"$ROOT/cmake/wine-run.sh" "$ROOT/build/win64/bin/bench_browse.exe" 'C:\qrv-big' || rc=$?
exit $rc
