#!/usr/bin/env bash
# Pictures of the desktop program for its guide, docs/desktop.md: runs mirukaze under Xvfb on
# the bundled sample text with the sample dictionary, and lets the program save its main text
# window, its print margin dialog, its speech settings window and, after F5, its ruby window,
# the YMI dialog, the NNN window after F8 and the exit question about the ruby window's text,
# with Qt's stock buttons in Japanese (MIRUKAZE_SCREENSHOT_DIR; no screen-capture tool is needed).
#
#   bash docs/screenshots.sh [OUT_DIR]   (default OUT_DIR: docs/; build folder: build-screenshots,
#                                         or $BUILD_DIR)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-screenshots}"
out="$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)"

bash "$root/scripts/install-missing.sh" screenshots xvfb xauth qt6-translations-l10n

cmake -S "$root" -B "$build" -DMIRUKAZE_TESTS=OFF >/dev/null
cmake --build "$build" --target mirukaze mirukaze-cli -j "$(nproc)" >/dev/null

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
home="$scratch/home"
mkdir -p "$home/dic" "$scratch/runtime"
chmod 700 "$scratch/runtime"
cp "$root/data/sample/Qv_Body.pre" "$home/dic/Qv_Body.pre"
"$build/cli/mirukaze-cli" --home "$home" --no build-dic "$home/dic/Qv_Body.pre" >/dev/null 2>&1
cp -r "$build/app/help" "$home/help"
cp "$root/data/sample/sample.txt" "$scratch/sample.txt"

# A lock of its own, so that a mirukaze already running for this user does not stop this one.
XDG_RUNTIME_DIR="$scratch/runtime" MIRUKAZE_SCREENSHOT_DIR="$out" \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x900x24" \
  "$build/app/mirukaze" --home "$home" "$scratch/sample.txt" 2>"$scratch/mirukaze.log" || {
  cat "$scratch/mirukaze.log" >&2
  echo "screenshots failed" >&2
  exit 1
}
echo "$out/main_window.png"
echo "$out/print_margins.png"
echo "$out/speech_settings.png"
echo "$out/ruby_window.png"
echo "$out/ymi_dialog.png"
echo "$out/nnn_window.png"
echo "$out/question_box.png"
