#!/usr/bin/env bash
# Opens an HTML ruby page in headless Chromium and checks that the first reading is laid out
# above its base and that the Shift_JIS base text is read as such. Skipped (77) without
# Chromium.
#
#   ruby_page_in_browser.sh PAGE [SCREENSHOT]
set -euo pipefail

page="$(realpath "$1")"
screenshot="${2:-}"
browser="$(command -v chromium || command -v chromium-browser || true)"
if [ -z "$browser" ]; then
  echo "chromium is not installed: skipped"
  exit 77
fi

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cp "$page" "$dir/page.html"
# A probe after the page's end: the browser still runs it, and it leaves its finding in the DOM.
cat >>"$dir/page.html" <<'PROBE'
<SCRIPT>
var reading = document.querySelector("RT").getBoundingClientRect();
var base = document.querySelector("SPAN.P");
var box = base.getBoundingClientRect();
var place = reading.bottom <= box.top + 1 ? "above" : "not-above";
document.body.setAttribute("data-probe", place + ":" + base.textContent);
</SCRIPT>
PROBE

run_browser() {
  # No network: the page is a local file, and a closed network makes background requests fail.
  HOME="$dir" "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-quic --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$dir/profile" "$@" 2>/dev/null
}

dom="$(run_browser --dump-dom "file://$dir/page.html")"
if ! grep -q 'data-probe="above:漢字"' <<<"$dom"; then
  echo "the reading is not shown above its base, or the base text was misread:" >&2
  grep -o 'data-probe="[^"]*"' <<<"$dom" >&2 || echo "no probe result" >&2
  exit 1
fi
if [ -n "$screenshot" ]; then
  run_browser --window-size=480,240 --screenshot="$screenshot" "file://$page" >/dev/null
fi
echo "ruby shown above its base"
