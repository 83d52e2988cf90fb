#!/usr/bin/env bash
# Builds the Debian package mirukaze_VERSION_amd64.deb with CPack and prints its path: a Release
# build with warnings as errors.
#   bash scripts/package.sh        (build folder: build-package, or $BUILD_DIR; a folder that is
#                                   already built, such as the test script's, is packaged as it is)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-package}"

bash "$root/scripts/install-deps.sh" >&2

# The package makes the default dictionaries when it is installed, not when it is built.
configure=(-DCMAKE_INSTALL_PREFIX=/usr -DMIRUKAZE_INSTALL_DICTIONARIES=OFF)
if [ ! -f "$build/CMakeCache.txt" ]; then
  configure+=(-DCMAKE_BUILD_TYPE=Release -DMIRUKAZE_WERROR=ON -DMIRUKAZE_TESTS=OFF)
fi
cmake -S "$root" -B "$build" "${configure[@]}" >&2
cmake --build "$build" -j "$(nproc)" >&2
rm -f "$build"/mirukaze_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/mirukaze_*_amd64.deb
