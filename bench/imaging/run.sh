#!/bin/bash
# ./qrv bench imaging [IMAGE.bmp ...]: our Floyd-Steinberg colour reduction
# against Pillow's on the same pixels and palettes (256 and 16 colours), warm
# and on a first call, on synthetic images and real photographs; the other
# kernels' blurred error and speed; the panel preview chain on 800 x 600.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"
PY=/usr/bin/python3
if ! "$PY" -c "import PIL, numpy" >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq python3-pil python3-numpy >/dev/null
fi
# The real photographs come from scikit-image's data set ...
if [ $# -eq 0 ] && [ ! -f /usr/lib/python3/dist-packages/skimage/data/astronaut.png ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq python3-skimage >/dev/null
fi
# ... and from the wallpapers of mate-backgrounds (smooth skies and out-of-focus scenes).
if [ $# -eq 0 ] && [ ! -d /usr/share/backgrounds/mate/nature ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq mate-backgrounds >/dev/null
fi
cmake --preset native >/dev/null
cmake --build --preset native >/dev/null
IMAGES=()
for i in "$@"; do IMAGES+=("$(realpath "$i")"); done
WORK="$ROOT/build/native/bench-images"
mkdir -p "$WORK"
"$PY" "$ROOT/bench/imaging/bench.py" "$ROOT/build/native/bin/bench_imaging" "$WORK" ${IMAGES[@]+"${IMAGES[@]}"}
