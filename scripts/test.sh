#!/usr/bin/env bash
# Builds mirukaze from scratch with warnings as errors and runs every test.
#   bash scripts/test.sh          (build folder: build-test, or $BUILD_DIR)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-test}"
jobs="$(nproc)"

bash "$root/scripts/install-deps.sh"
# The everyday-reading test makes the default dictionary from the installed data.
bash "$root/scripts/install-data.sh"

rm -rf "$build"
cmake -S "$root" -B "$build" -DMIRUKAZE_WERROR=ON
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"

# The exported ODT, DOCX and HTML5 files, read by LibreOffice and Chromium.
BUILD_DIR="$build" bash "$root/scripts/export-check.sh"

# The Debian package of this build: installed, run and removed as a user would.
BUILD_DIR="$build" bash "$root/scripts/package-check.sh"

# The Qt-free code again under AddressSanitizer and UndefinedBehaviorSanitizer, and every fuzz
# target for five seconds.
SANITIZE_BUILD_DIR="$build-sanitize" bash "$root/scripts/sanitize.sh" 5

# The code that starts threads, and the command-line tool, under ThreadSanitizer; this build's
# tool makes the default dictionaries for it.
TSAN_BUILD_DIR="$build-tsan" MIRUKAZE_CLI="$build/cli/mirukaze-cli" bash "$root/scripts/tsan.sh"
