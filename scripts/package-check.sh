#!/usr/bin/env bash
# The Debian package as a user meets it: built, installed with apt-get, run on the sample text,
# and removed again, leaving nothing behind.
#   bash scripts/package-check.sh   (build folder: $BUILD_DIR, else build-package)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

deb="$(bash "$root/scripts/package.sh")"
echo "== package: $deb"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "$deb"
trap 'DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y mirukaze >/dev/null' EXIT

command -v mirukaze-cli >/dev/null || { echo "FAIL: mirukaze-cli is not on PATH" >&2; exit 1; }
mirukaze-cli --version
dpkg -L mirukaze | grep -q '/man1/mirukaze-cli\.1' || { echo "FAIL: no manual page" >&2; exit 1; }

work="$(mktemp -d)"
cp "$root/data/sample/sample.txt" "$work/sample.txt"
srb="$(mirukaze-cli --no ruby "$work/sample.txt")"
[ -s "$srb" ] || { echo "FAIL: the installed program wrote no ruby file" >&2; exit 1; }
grep -q '{' "$srb" || { echo "FAIL: the ruby file holds no ruby" >&2; exit 1; }
rm -rf "$work"

DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y mirukaze
trap - EXIT
if [ -e /usr/lib/mirukaze ] || [ -e /usr/bin/mirukaze-cli ]; then
  echo "FAIL: removing the package left files behind" >&2
  exit 1
fi
echo "== package: installed, ran and removed cleanly"
