#!/usr/bin/env bash
# Builds mirukaze from scratch with warnings as errors and runs every test, then checks the
# exported files, the Debian package, and the code under the sanitizers. Each stage prints its
# time as it ends, and the run its whole time at the end.
#   bash scripts/test.sh          (build folder: build-test, or $BUILD_DIR)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-test}"
jobs="$(nproc)"
start=$SECONDS

stage() {  # stage NAME COMMAND...: runs COMMAND and prints how long it took
  local name="$1" began=$SECONDS
  shift
  "$@"
  echo "== test.sh: $name: $((SECONDS - began)) s"
}

build_and_test() {
  rm -rf "$build"
  # The build users get (Release), configured as the package wants it, so that the package is
  # made from this build as it stands: nothing is compiled a second time for it.
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMIRUKAZE_WERROR=ON \
    -DCMAKE_INSTALL_PREFIX=/usr -DMIRUKAZE_INSTALL_DICTIONARIES=OFF
  cmake --build "$build" -j "$jobs"
  ctest --test-dir "$build" --output-on-failure -j "$jobs"
}

stage "install" bash "$root/scripts/install-deps.sh"
# The everyday-reading test makes the default dictionary from the installed data.
stage "install data" bash "$root/scripts/install-data.sh"

stage "Release build with warnings as errors, and every test" build_and_test

# The exported ODT, DOCX and HTML5 files, read by LibreOffice and Chromium.
BUILD_DIR="$build" stage "exported files" bash "$root/scripts/export-check.sh"

# The Debian package of this build: installed, run and removed as a user would.
BUILD_DIR="$build" stage "Debian package" bash "$root/scripts/package-check.sh"

# The Qt-free code again under AddressSanitizer and UndefinedBehaviorSanitizer, and every fuzz
# target for five seconds: one clang build serves the tests and the fuzz targets.
SANITIZE_BUILD_DIR="$build-sanitize" stage "AddressSanitizer, UndefinedBehaviorSanitizer, fuzzing" \
  bash "$root/scripts/sanitize.sh" 5

# The code that starts threads, and the command-line tool, under ThreadSanitizer; this build's
# tool makes the default dictionaries for it.
TSAN_BUILD_DIR="$build-tsan" MIRUKAZE_CLI="$build/cli/mirukaze-cli" stage "ThreadSanitizer" \
  bash "$root/scripts/tsan.sh"

total=$((SECONDS - start))
echo "== test.sh: every stage passed in $((total / 60)) min $((total % 60)) s"
