#!/bin/bash
# ./qrv bench imaging [IMAGE.bmp ...]: our Floyd-Steinberg colour reduction
# against Pillow's on the same pixels and palette, the other kernels' speed
# and the panel preview chain on an 800 x 600 photo.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"
PY=/usr/bin/python3
if ! "$PY" -c "import PIL, numpy" >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq python3-pil python3-numpy >/dev/null
fi
cmake --preset native >/dev/null
cmake --build --preset native >/dev/null
IMAGES=()
for i in "$@"; do IMAGES+=("$(realpath "$i")"); done
WORK="$ROOT/build/native/bench-images"
mkdir -p "$WORK"
"$PY" "$ROOT/bench/imaging/bench.py" "$ROOT/build/native/bin/bench_imaging" "$WORK" ${IMAGES[@]+"${IMAGES[@]}"}
