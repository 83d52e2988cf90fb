#!/usr/bin/env bash
# Builds the Qt-free libraries, the command-line tool, their tests and the fuzz targets with
# AddressSanitizer and UndefinedBehaviorSanitizer (clang, one build for all), runs the tests,
# then runs every fuzz target briefly.
#   bash scripts/sanitize.sh [FUZZ_SECONDS]   (default 10; build folder: build-sanitize, or
#                                              $SANITIZE_BUILD_DIR)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SANITIZE_BUILD_DIR:-$root/build-sanitize}"
fuzz_seconds="${1:-10}"

rm -rf "$build"
# fuzz.sh installs clang, configures and builds the fuzz targets; the rest is built here.
export FUZZ_BUILD_DIR="$build" FUZZ_WITH_TESTS=ON
bash "$root/scripts/fuzz.sh" --build-only
cmake --build "$build" -j "$(nproc)"
# Any report fails the test that met it, also one from a child process such as the CLI.
# The reading sets judge readings, which the Release run has judged already; under the sanitizers
# they take half this run's test time and pass the same code as the reading tests and the
# context_reading fuzz target, so they are left to the Release run.
ASAN_OPTIONS="abort_on_error=1:detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -E '^Sets/EverydayReadings\.'

# A few seconds per target on a machine running the tests beside it measure the machine more
# than the target: the pace is judged only when FUZZ_MIN_RATE is given.
FUZZ_MIN_RATE="${FUZZ_MIN_RATE:-0}" bash "$root/scripts/fuzz.sh" "$fuzz_seconds"
