#!/usr/bin/env bash
# Builds the fuzz targets (installing clang and libFuzzer when missing) and
# runs each of them for SECONDS seconds, one after the other, on one core.
# Prints the executions and the outcome of each target; exits non-zero when
# any target found a crash, a leak, undefined behaviour or a hang.
#
#   bash fuzz/run.sh 600                 # every target, ten minutes each
#   bash fuzz/run.sh 60 batch datas      # only these targets
#
# New inputs that reach new code go to fuzz-build/corpus/<target>/ (the seeds
# in fuzz/corpus/<target>/ are only read); a failing input is saved as
# fuzz-build/artifacts/<target>/crash-*, and can be replayed with
#   fuzz-build/fuzz_<target> fuzz-build/artifacts/<target>/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:?usage: fuzz/run.sh SECONDS [target...]}"
shift
build="${FUZZ_BUILD_DIR:-fuzz-build}"

bash scripts/deps.sh --fuzz

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2

if [ $# -gt 0 ]; then
  alvos=("$@")
else
  mapfile -t alvos < <(sed -n 's/^fuzz_//p' "$build/alvos.txt")
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
falhas=0
printf '%-18s %8s %14s  %s\n' target seconds executions result
for a in "${alvos[@]}"; do
  exe="$build/fuzz_$a"
  [ -x "$exe" ] || { echo "fuzz_$a: not built" >&2; falhas=1; continue; }
  corpus="$build/corpus/$a"
  artefatos="$build/artifacts/$a"
  mkdir -p "$corpus" "$artefatos" fuzz/corpus/"$a"
  dict=()
  [ -f "fuzz/$a.dict" ] && dict=(-dict="fuzz/$a.dict")
  sementes=(fuzz/corpus/"$a")
  if [ "$a" = batch ]; then
    # Every golden case's request is a seed, so new cases seed the fuzzer too.
    mkdir -p "$build/golden"
    n=0
    while IFS= read -r pedido; do
      n=$((n + 1))
      printf '%s' "$pedido" >"$build/golden/pedido$n"
    done < <(grep -hv -e '^#' -e '^$' tests/golden/*.jsonl | jq -c .pedido)
    sementes+=("$build/golden")
  fi
  log="$build/$a.log"
  inicio=$(date +%s)
  set +e
  # -timeout: an input taking longer than 5 s is a hang.
  "$exe" "${dict[@]}" -max_total_time="$segundos" -timeout=5 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$artefatos/" "$corpus" "${sementes[@]}" >"$log" 2>&1
  rc=$?
  set -e
  dur=$(( $(date +%s) - inicio ))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [ -n "$execs" ] || execs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
  if [ $rc -eq 0 ]; then
    resultado=ok
  else
    resultado="FAILED (exit $rc; see $log)"
    falhas=1
    grep -m1 -E 'ERROR|runtime error|invariante|deadly signal|timeout' "$log" >&2 || true
    ls "$artefatos" >&2 || true
  fi
  printf '%-18s %8s %14s  %s\n' "$a" "$dur" "${execs:-?}" "$resultado"
done
exit $falhas
