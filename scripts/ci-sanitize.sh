#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-asan) and runs the whole test suite under them. Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRK_SANITIZE=ON -DBRK_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j2

# Leaks of the libraries we use (not of our code) are listed, with reasons, in
# scripts/lsan-suppressions.txt.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
ctest --test-dir "$build" -j2 --output-on-failure --timeout 300
