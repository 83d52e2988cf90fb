#!/usr/bin/env bash
# Builds mirukaze-cli, builds the sample main dictionary from data/sample/Qv_Body.pre, gives
# the sample text ruby and prints the ruby file (converted to UTF-8); then builds the sample
# grade-allocation dictionary from data/sample/dic/ and prints the grade ruby of grades 3 to 5.
#   bash scripts/sample.sh        (build folder: build-sample, or $BUILD_DIR)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-sample}"

bash "$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DMIRUKAZE_TESTS=OFF >/dev/null
cmake --build "$build" --target mirukaze-cli -j "$(nproc)"
cli="$build/cli/mirukaze-cli"

# A program folder of its own: dic/ with the main dictionary, and the text beside it.
home="$build/sample-home"
rm -rf "$home"
mkdir -p "$home/dic"
cp "$root/data/sample/Qv_Body.pre" "$home/dic/Qv_Body.pre"
cp -r "$root/data/sample/dic/." "$home/dic/"
cp "$root/data/sample/sample.txt" "$home/sample.txt"

echo "== build-dic: $home/dic/Qv_Body.dic (the build report follows)"
"$cli" --home "$home" --yes build-dic "$home/dic/Qv_Body.pre"

echo "== ruby: $home/sample.txt"
srb="$("$cli" --home "$home" --no ruby "$home/sample.txt")"
echo "== $srb"
iconv -f CP932 -t UTF-8 "$srb"

echo
echo "== build-grade: $home/dic/HaitouNen.dic"
"$cli" --home "$home" --yes build-grade

echo "== ruby --kind grade (grades 3 to 5, with tags and the summary): $home/sample.txt"
hrb="$("$cli" --home "$home" --no --set RUBIRANGE/NENSETTYPE=1 --set RUBIRANGE/NENSITA=3 \
  --set RUBIRANGE/NENUE=5 --set RUBIRANGE/NenAddFlag=1 --set RUBIRANGE/NENRUBIOUTFLAG=1 \
  ruby --kind grade "$home/sample.txt")"
echo "== $hrb"
iconv -f CP932 -t UTF-8 "$hrb"
