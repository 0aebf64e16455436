#!/bin/bash
# Fuzzes the readers that need Windows under Wine: wine.sh [TARGET] [SECONDS]
# [PRESET]. Targets (all in fuzz_wine.exe): lead (CLead::Load on PNG, JPEG,
# GIF, TIFF, BMP, WMF and EMF), drop (the dropped-files block read and
# pasted), paste (the "PlxDibInfo" record and bitmap paste), viewers (the
# viewer list's registry values). Batches of inputs mutated by
# zzuf from valid inputs the driver writes are tried in one process each; a
# crash, a hang, a broken rule of the driver (state not kept, a write outside
# the target folder) is a finding (QRV_FUZZ_INPUT_MS, default 20 s per input:
# the shared machine stalls for seconds at times), its input copied to
# tests/fuzz/regressions/TARGET/. The kept inputs are replayed first.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
TARGET="${1:-lead}"
SECONDS_TO_RUN="${2:-300}"
PRESET="${3:-win64}"
OUT="$ROOT/build/fuzz/wine/$TARGET"
KEPT="$ROOT/tests/fuzz/regressions/$TARGET"
BATCH_PER_SEED=40
case "$TARGET" in
  lead|drop|paste|viewers) program=fuzz_wine ;;
  *) echo "fuzz: Wine targets: lead drop paste viewers"; exit 2 ;;
esac
# The small inputs of the record targets: more of them per batch, except in
# the short runs of ./qrv test, where one batch takes the time given.
[ "$TARGET" != lead ] && [ "$SECONDS_TO_RUN" -ge 60 ] && BATCH_PER_SEED=150
source "$ROOT/cmake/harness.sh"

command -v zzuf >/dev/null || { echo "fuzz $TARGET: zzuf is not installed (./qrv setup)"; exit 1; }
cd "$ROOT"
[ -f "build/$PRESET/build.ninja" ] || cmake --preset "$PRESET" >/dev/null
[ -n "${QRV_FUZZ_BUILT:-}" ] || cmake --build "$ROOT/build/$PRESET" --target $program >/dev/null
EXE="$ROOT/build/$PRESET/bin/$program.exe"
winpath() { echo "Z:${1//\//\\}"; }

started_display=0
if [ -z "${DISPLAY:-}" ]; then qrv_xvfb_start; started_display=1; fi
# QRV_FUZZ_PREFIX: a Wine prefix of the run's own. Targets run side by side
# need one each: the processes of one prefix share one clipboard.
qrv_wine_env "${QRV_FUZZ_PREFIX:-}"
finish() { [ $started_display = 0 ] || qrv_xvfb_stop; }
trap finish EXIT

# Runs one folder; on a finding keeps the input named last and says why.
# A second argument is the batch's time in ms: inputs not begun by then stay untried.
run_batch() {
  local dir="$1" until="${2:-0}" log="$OUT/batch.log" rc=0
  (cd "$ROOT/build/$PRESET/bin" && timeout 600 "$ROOT/cmake/wine-run.sh" "$EXE" run "$TARGET" "$(winpath "$dir")" "${QRV_FUZZ_INPUT_MS:-20000}" "$until") \
    >"$log" 2>&1 || rc=$?
  tr -d '\r' <"$log" >"$log.txt"
  runs=$(( runs + $(grep -c '^input ' "$log.txt" || true) ))
  if [ $rc -ne 0 ]; then
    local last; last=$(sed -n 's/^input //p' "$log.txt" | tail -1)
    mkdir -p "$KEPT"
    [ -z "$last" ] || [ "$dir" = "$KEPT" ] || cp "$dir/$last" "$KEPT/"
    tail -5 "$log.txt"
    echo "fuzz $TARGET: FINDING (exit $rc) on ${last:-?}, kept in tests/fuzz/regressions/$TARGET/"
    return 1
  fi
}

runs=0
rm -rf "$OUT/seeds"; mkdir -p "$OUT/seeds"
(cd "$ROOT/build/$PRESET/bin" && "$ROOT/cmake/wine-run.sh" "$EXE" seeds "$TARGET" "$(winpath "$OUT/seeds")") >/dev/null 2>&1 \
  || { echo "fuzz $TARGET: the seeds could not be written"; exit 1; }
if compgen -G "$KEPT/*" >/dev/null; then run_batch "$KEPT" || exit 1; fi
end=$(( $(date +%s) + SECONDS_TO_RUN )); round=0
while [ "$(date +%s)" -lt $end ]; do
  rm -rf "$OUT/batch"; mkdir -p "$OUT/batch"
  for seed in "$OUT/seeds"/*; do
    name=$(basename "$seed")
    for k in $(seq $BATCH_PER_SEED); do
      zzuf -s $(( round * BATCH_PER_SEED + k )) -r 0.0001:0.02 <"$seed" >"$OUT/batch/${round}_${k}_$name"
    done
  done
  run_batch "$OUT/batch" $(( (end - $(date +%s)) * 1000 )) || exit 1
  round=$(( round + 1 ))
done
echo "fuzz $TARGET: $runs inputs in ${SECONDS_TO_RUN} s, no finding"
