#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan and runs the whole suite there (no display needed). Any memory error, leak
# or undefined behaviour fails the test that caused it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-asan -DPUMPFIELD_SANITIZE=ON -DPUMPFIELD_BENCH=OFF >/dev/null
# The build lists each test program's tests by running it; leaks count in the test runs only.
ASAN_OPTIONS=detect_leaks=0 cmake --build build-asan -j"$(nproc)"
cd build-asan
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
