#!/bin/bash
# Fuzzes the readers of outside data that build without Windows natively with
# libFuzzer, ASan and UBSan: run.sh [TARGET|all] [SECONDS] (default all,
# 300 s per target); the Wine targets lead, drop, paste and viewers (also part of `all`) run tests/fuzz/wine.sh. Every target first replays its kept crash inputs
# (tests/fuzz/regressions/TARGET/); a new crash input is copied there.
# QRV_FUZZ_RUNS=N ends a native target after N executions if that comes first.
# Build folder: build/fuzz (build/fuzz-plain without the sanitizers).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/cmake/harness.sh"
TARGET="${1:-all}"
SECONDS_TO_RUN="${2:-300}"
# QRV_FUZZ_SANITIZE=0 builds without ASan and UBSan, for long runs (about
# four times the executions a second), into build/fuzz-plain.
if [ "${QRV_FUZZ_SANITIZE:-1}" = 0 ]; then
  OUT="$ROOT/build/fuzz-plain"
  CHECKS=(-O2)
else
  OUT="$ROOT/build/fuzz"
  CHECKS=(-O1 -fsanitize=address,undefined -fno-sanitize-recover=all)
fi
REGRESSIONS="$ROOT/tests/fuzz/regressions"
TARGETS=(dib palette identity cache_record metafile parts)
WINE_TARGETS=(lead drop paste viewers)

need=()
command -v clang++ >/dev/null || need+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-dev)
if [ ${#need[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

FLAGS=(-std=c++17 -g -I"$ROOT" "${CHECKS[@]}" -fno-omit-frame-pointer)
# Every source of the imaging core: it has no Windows dependency.
IMAGING=($(cd "$ROOT/imaging" && ls *.cpp | sed 's/\.cpp$//'))

# The library sources of the readers, relative to the root: one program
# (fuzz_readers.cpp) holds every target, QRV_FUZZ_TARGET picks one.
SOURCES=("${IMAGING[@]/#/imaging/}" tools/qrvtool/PaletteBytes catalogue/IdentityString catalogue/CacheRecord
  viewer/WmfRecords viewer/EmfRecords viewer/DibExtent toolkit/MbcsText toolkit/PathSyntax)

# Compiles SRC to OBJ unless OBJ is newer than the source and every header of the root.
compile() {
  local src="$1" obj="$2"; shift 2
  if [ -f "$obj" ] && [ ! "$src" -nt "$obj" ] && [ -z "$(find "$ROOT/imaging" "$ROOT/catalogue" \
       "$ROOT/tools/qrvtool" "$ROOT/viewer" "$ROOT/toolkit" "$ROOT/tests/fuzz" -name '*.h' -newer "$obj" | head -1)" ]; then
    return 0
  fi
  clang++ "${FLAGS[@]}" "$@" -c "$src" -o "$obj"
}

build_readers() {
  local objs=() s o
  mkdir -p "$OUT/obj"
  for s in "${SOURCES[@]}"; do
    o="$OUT/obj/$(basename "$s").o"
    compile "$ROOT/$s.cpp" "$o" -fsanitize=fuzzer-no-link || return 1
    objs+=("$o")
  done
  compile "$ROOT/tests/fuzz/fuzz_readers.cpp" "$OUT/obj/fuzz_readers.o" -fsanitize=fuzzer-no-link || return 1
  clang++ "${FLAGS[@]}" -fsanitize=fuzzer "$OUT/obj/fuzz_readers.o" "${objs[@]}" -o "$OUT/fuzz_readers"
}

# Valid inputs of each form to start from.
write_seeds() {
  local t="$1" dir="$OUT/seeds/$1"
  rm -rf "$dir"; mkdir -p "$dir"
  case "$t" in
    dib|palette)
      if [ ! -x "$OUT/make_seeds" ] || [ "$ROOT/tests/fuzz/make_seeds.cpp" -nt "$OUT/make_seeds" ]; then
        local objs=() s
        for s in "${IMAGING[@]}"; do
          compile "$ROOT/imaging/$s.cpp" "$OUT/obj/$s.o" -fsanitize=fuzzer-no-link || return 1
          objs+=("$OUT/obj/$s.o")
        done
        clang++ "${FLAGS[@]}" -fsanitize=fuzzer-no-link "$ROOT/tests/fuzz/make_seeds.cpp" "${objs[@]}" -o "$OUT/make_seeds" || return 1
      fi
      "$OUT/make_seeds" "$dir" >/dev/null || return 1
      if [ "$t" = palette ]; then
        printf 'JASC-PAL\r\n0100\r\n4\r\n0 0 0\r\n255 0 0\r\n0 255 0\r\n12 34 56\r\n' >"$dir/four.pal"
        { printf 'JASC-PAL\n0100\n256\n'; for i in $(seq 0 255); do echo "$i $((255 - i)) $((i / 2))"; done; } >"$dir/full.pal"
      fi ;;
    identity)
      printf '3.17' >"$dir/two"; printf '1.20.48' >"$dir/three"; printf '20.256' >"$dir/wide"
      printf '7' >"$dir/none" ;;
    cache_record)
      printf '3\0%s\0%s\0%s\0%s\0%s' 2.5 1 1 0 0 >"$dir/packed"
      printf '1\0%s\0%s\0%s\0%s\0%s' 1.07 0 1 1 1 >"$dir/legacy" ;;
    metafile) python3 "$ROOT/tests/fuzz/metafile_seeds.py" "$dir" ;;
    parts)
      # Byte 0: bit 0 the double-byte code page, bits 1-3 how many bytes of delimiters follow.
      printf '\x04;,C:\\Programme\\QRV\\Treiber.dll' >"$dir/path"
      printf '\x02/\\\\server\\share\\a.b.c' >"$dir/unc"
      printf '\x03\x81\x5c\x83\x5c\\x\x81\x5c;Name.\x83\x2e' >"$dir/sjis"
      printf '\x06 \t;eins zwei;;drei\tvier' >"$dir/tokens" ;;
  esac
}

# Seeds, then the kept crash inputs replayed: one target after another, as
# the seed maker is built on the way.
prepare_target() {
  local t="$1"
  write_seeds "$t" || { echo "fuzz $t: the seeds could not be written"; return 1; }
  mkdir -p "$OUT/corpus/$t" "$OUT/findings/$t" "$REGRESSIONS/$t"
  local kept=("$REGRESSIONS/$t"/*)
  if [ -e "${kept[0]}" ]; then
    QRV_FUZZ_TARGET=$t "$OUT/fuzz_readers" -runs=0 "${kept[@]}" >"$OUT/findings/$t/replay.log" 2>&1 \
      || { tail -30 "$OUT/findings/$t/replay.log"; echo "fuzz $t: a kept crash input fails again"; return 1; }
  fi
}

run_target() {
  local t="$1" max_len=4096
  [ "$t" = dib ] && max_len=65536
  cd "$OUT/findings/$t"
  local rc=0 started=$SECONDS
  QRV_FUZZ_TARGET=$t "$OUT/fuzz_readers" -max_total_time="$SECONDS_TO_RUN" -max_len=$max_len -rss_limit_mb=2048 \
    -timeout=10 ${QRV_FUZZ_RUNS:+-runs=$QRV_FUZZ_RUNS} -print_final_stats=1 "$OUT/corpus/$t" "$OUT/seeds/$t" >"$OUT/findings/$t/run.log" 2>&1 || rc=$?
  cd "$ROOT"
  local runs; runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$OUT/findings/$t/run.log" | tail -1)
  if [ $rc -ne 0 ]; then
    tail -40 "$OUT/findings/$t/run.log"
    cp "$OUT/findings/$t"/crash-* "$OUT/findings/$t"/timeout-* "$OUT/findings/$t"/leak-* "$REGRESSIONS/$t/" 2>/dev/null || true
    echo "fuzz $t: FINDING after ${runs:-?} executions, input kept in tests/fuzz/regressions/$t/"
    return 1
  fi
  echo "fuzz $t: ${runs:-?} executions in $(( SECONDS - started )) s, no finding"
}

# The readers that need Windows run under Wine.
if printf '%s\n' "${WINE_TARGETS[@]}" | grep -qx "$TARGET"; then
  exec bash "$ROOT/tests/fuzz/wine.sh" "$TARGET" "$SECONDS_TO_RUN"
fi
case "$TARGET" in
  all)     list=("${TARGETS[@]}") ;;
  imaging) list=(dib) ;;
  *)       printf '%s\n' "${TARGETS[@]}" | grep -qx "$TARGET" || { echo "fuzz: targets: all ${TARGETS[*]} ${WINE_TARGETS[*]}"; exit 2; }
           list=("$TARGET") ;;
esac
rc=0
build_readers || { echo "fuzz: the build of the readers failed"; exit 1; }
ready=()
for t in "${list[@]}"; do
  if prepare_target "$t"; then ready+=("$t"); else rc=1; fi
done
# Two targets at a time, one a core: each still fuzzes for its whole time.
running=0
for t in ${ready[@]+"${ready[@]}"}; do
  run_target "$t" &
  running=$((running + 1))
  if [ $running -ge 2 ]; then
    wait -n || rc=1
    running=$((running - 1))
  fi
done
while [ $running -gt 0 ]; do
  wait -n || rc=1
  running=$((running - 1))
done
# The Wine targets two at a time as well. The second of a pair runs in a
# Wine prefix of its own (one prefix has one clipboard and one temporary
# folder) and on a display of its own: the second one ./qrv test started,
# or one wine.sh starts.
if [ "$TARGET" = all ]; then
  # Built here, not by each target: two builds in one folder at once collide.
  [ -f "$ROOT/build/win64/build.ninja" ] || (cd "$ROOT" && cmake --preset win64 >/dev/null)
  cmake --build "$ROOT/build/win64" --target fuzz_wine >/dev/null
  export QRV_FUZZ_BUILT=1
  for ((i = 0; i < ${#WINE_TARGETS[@]}; i += 2)); do
    bash "$ROOT/tests/fuzz/wine.sh" "${WINE_TARGETS[i]}" "$SECONDS_TO_RUN" &
    first=$!
    if [ $((i + 1)) -lt ${#WINE_TARGETS[@]} ]; then
      DISPLAY="${QRV_DISPLAY_1:-}" QRV_FUZZ_PREFIX="$(qrv_display_prefix 1)" \
        bash "$ROOT/tests/fuzz/wine.sh" "${WINE_TARGETS[i + 1]}" "$SECONDS_TO_RUN" || rc=1
    fi
    wait $first || rc=1
  done
fi
exit $rc
