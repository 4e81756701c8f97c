#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer included) into build-fuzz and runs each over its committed corpus
# for FUZZ_SECONDS seconds (30 by default). New inputs go to a temporary folder, so the corpus
# stays as committed. Any finding fails the script and leaves its input in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DPUMPFIELD_FUZZ=ON -DPUMPFIELD_TESTS=OFF \
  -DPUMPFIELD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_harnesses
mkdir -p build-fuzz/findings
for harness in InputFileFuzz ReportReadersFuzz NumberTextsFuzz GraphScaleFuzz GraphDrawingFuzz \
  WellCellFuzz; do
  found="$(mktemp -d)"
  log="build-fuzz/$harness.log"
  status=0
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=tests/fuzz/leaks.supp" \
    "build-fuzz/fuzz/$harness" -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$harness-" \
    "$found" "tests/fuzz/corpus/$harness" >"$log" 2>&1 || status=$?
  rm -rf "$found"
  echo "$harness: $(grep -E '^stat::number_of_executed_units' "$log" | grep -oE '[0-9]+$' || echo 0)" \
    "executions in ${seconds} s, $(grep -oE 'cov: [0-9]+' "$log" | tail -1 || true) edges"
  if [ "$status" -ne 0 ]; then
    grep -E -A30 "ERROR|SUMMARY|deadly" "$log" | head -60 >&2 || tail -40 "$log" >&2
    echo "$harness found a fault; its input is in build-fuzz/findings" >&2
    exit 1
  fi
done
