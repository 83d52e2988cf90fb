#!/usr/bin/env bash
# The main job: installs what is missing, builds mirukaze-cli, makes the default dictionaries
# from Debian's open data into a program folder of its own, gives the sample text ruby with them
# (its words read in context by MeCab with UniDic where they are installed, else by the main
# dictionary alone; the script says which) and prints the ruby file (converted to UTF-8), then
# the grade ruby of grades 3 to 5. The times
# of the dictionary generation and of the whole run are printed as they end.
#   bash scripts/sample.sh        (build folder: build-sample, or $BUILD_DIR;
#                                  MIRUKAZE_UNIDIC=0 makes the dictionaries without UniDic)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-sample}"

main() {
  bash "$root/scripts/install-deps.sh"
  bash "$root/scripts/install-data.sh"

  cmake -S "$root" -B "$build" -DMIRUKAZE_TESTS=OFF -DMIRUKAZE_GUI=OFF >/dev/null
  cmake --build "$build" --target mirukaze-cli -j "$(nproc)"
  local cli="$build/cli/mirukaze-cli"

  local unidic=()
  if [ "${MIRUKAZE_UNIDIC:-1}" != "1" ]; then unidic=(--unidic-lex=); fi

  # A program folder of its own: dic/ with the default dictionaries, and the text beside it.
  local home="$build/sample-home"
  rm -rf "$home"
  mkdir -p "$home"
  cp "$root/data/sample/sample.txt" "$home/sample.txt"

  echo "== make-default-dic: $home/dic"
  TIMEFORMAT="== dictionary generation: %R s"
  time "$cli" --home "$home" make-default-dic "${unidic[@]}"

  echo
  "$cli" --version | sed 's/^/== /'
  echo "== ruby (the standard user dictionary, then the words in context): $home/sample.txt"
  local srb
  srb="$("$cli" --home "$home" --no ruby --dic-mode 2 "$home/sample.txt")"
  echo "== $srb"
  iconv -f CP932 -t UTF-8 "$srb"

  echo
  echo "== ruby --kind grade (grades 3 to 5, 熟字訓 too, with tags and the summary)"
  local hrb
  hrb="$("$cli" --home "$home" --no --set RUBIRANGE/NENSETTYPE=1 --set RUBIRANGE/NENSITA=3 \
    --set RUBIRANGE/NENUE=5 --set RUBIRANGE/NenAddFlag=1 --set RUBIRANGE/NENRUBIOUTFLAG=1 \
    --set RUBIRANGE/JUKCKFLAG=1 ruby --kind grade "$home/sample.txt")"
  echo "== $hrb"
  iconv -f CP932 -t UTF-8 "$hrb"
  echo
  TIMEFORMAT="== whole run: %R s"
}

time main
