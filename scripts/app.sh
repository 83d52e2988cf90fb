#!/usr/bin/env bash
# Builds the desktop application and starts it on the sample text, with a program folder of its
# own that holds the default dictionaries (made once, on the first start).
#   bash scripts/app.sh [FILE]    (build folder: build-app, or $BUILD_DIR)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-app}"
home="$build/home"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/install-data.sh"

cmake -S "$root" -B "$build" -DMIRUKAZE_TESTS=OFF >/dev/null
cmake --build "$build" --target mirukaze mirukaze-cli -j "$(nproc)"

if [ ! -f "$home/dic/Qv_Body.dic" ]; then
  mkdir -p "$home"
  "$build/cli/mirukaze-cli" --home "$home" --yes make-default-dic
fi
if [ ! -f "$home/sample.txt" ]; then cp "$root/data/sample/sample.txt" "$home/sample.txt"; fi

exec "$build/app/mirukaze" --home "$home" "${1:-$home/sample.txt}"
