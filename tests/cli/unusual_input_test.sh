#!/usr/bin/env bash
# The real mirukaze-cli binary on input of unusual shape: dictionary sources with lines far
# longer than any entry.
#   unusual_input_test.sh MIRUKAZE_CLI
cli="$1"
source "$(dirname "$0")/script_support.sh"

home="$scratch/home"
mkdir -p "$home/dic"
run=("$cli" --home "$home" --no)

# Shift_JIS pieces of dictionary sources.
entry='\x8a\xbf\x8e\x9a,\x82\xa9\x82\xf1*\x82\xb6'  # 漢字,かん*じ
faulty='\x8a\xbf\x8e\x9a,\x83J\x83\x93\x83W'       # 漢字,カンジ: katakana in the reading
kana() { local i; for ((i = 0; i < $1; i++)); do printf '\x82\xa0'; done; }  # あ…

# A line is read whole however long it is, so a double-byte character across any piece of it
# never starts a line of its own: each source, its exit status with --no (1 when a line is
# rejected and the build is declined), and the lines its report names.
sources=(
  "comment of 64 kana after an entry|0|"
  "comment of 64 kana right after the reading|0|"
  "long comment, then a faulty line|1|2"
  "100 KiB comment line, then a faulty line|1|3"
  "long faulty line, then a good one|1|1"
)
for row in "${sources[@]}"; do
  IFS='|' read -r what want lines <<<"$row"
  rm -f "$scratch"/w.*  # no question about replacing the last row's dictionary
  case "$what" in
    *after\ an\ entry) { printf "$entry #"; kana 64; printf '\r\n'; } ;;
    *after\ the\ reading) { printf "$entry#"; kana 64; printf '\r\n'; } ;;
    long\ comment*) { printf "$entry #"; kana 64; printf '\r\n'"$faulty"'\r\n'; } ;;
    100*) { printf "$entry"'\r\n# '; kana 51200; printf '\r\n'"$faulty"'\r\n'; } ;;
    long\ faulty*) { printf "$faulty #"; kana 200; printf '\r\n'"$entry"'\r\n'; } ;;
  esac >"$scratch/w.pre"
  expect "$want" "${run[@]}" build-dic "$scratch/w.pre"
  named="$(iconv -f CP932 -t UTF-8 "$scratch/error_ck.out" | grep -o '^[0-9]*行目' | tr -d '行目' |
    paste -sd, || true)"
  [ "$named" = "$lines" ] || fail "$what: the report names lines '$named', not '$lines'"
done

echo "unusual input: all passed"
