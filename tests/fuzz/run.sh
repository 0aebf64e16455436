#!/bin/bash
# Fuzzes the DIB and BMP readers with libFuzzer, ASan and UBSan for SECONDS
# (default 300) from a seed corpus of every format. Build folder: build/fuzz.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SECONDS_TO_RUN="${1:-300}"
OUT="$ROOT/build/fuzz"

need=()
command -v clang++ >/dev/null || need+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-dev)
if [ ${#need[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

mkdir -p "$OUT/obj" "$OUT/seeds" "$OUT/corpus" "$OUT/findings"
SRCS=(BmpFile ColorReducer DibReader DibWriter Effects Image PaletteMapper Resampler RleCodec)
FLAGS=(-std=c++17 -O1 -g -I"$ROOT" -fsanitize=address,undefined -fno-sanitize-recover=all
       -fno-omit-frame-pointer)
objs=()
for s in "${SRCS[@]}"; do
  clang++ "${FLAGS[@]}" -fsanitize=fuzzer-no-link -c "$ROOT/imaging/$s.cpp" -o "$OUT/obj/$s.o"
  objs+=("$OUT/obj/$s.o")
done
clang++ "${FLAGS[@]}" -fsanitize=fuzzer "$ROOT/tests/fuzz/fuzz_dib.cpp" "${objs[@]}" -o "$OUT/fuzz_dib"
clang++ "${FLAGS[@]}" "$ROOT/tests/fuzz/make_seeds.cpp" "${objs[@]}" -o "$OUT/make_seeds"
"$OUT/make_seeds" "$OUT/seeds"

cd "$OUT/findings"
"$OUT/fuzz_dib" -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -rss_limit_mb=2048 \
  -timeout=10 -print_final_stats=1 "$OUT/corpus" "$OUT/seeds"
echo "fuzz: no finding in ${SECONDS_TO_RUN} s"
