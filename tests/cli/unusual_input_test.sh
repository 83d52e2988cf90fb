#!/usr/bin/env bash
# The real mirukaze-cli binary on input of unusual shape: dictionary sources with lines far
# longer than any entry, UTF-8 texts with a broken byte, and runs stopped by a signal.
#   unusual_input_test.sh MIRUKAZE_CLI TEST_DATA_DIR
cli="$1"
data="$2/all_ruby"
source "$(dirname "$0")/script_support.sh"

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

# A UTF-8 text with one broken byte is not taken for Shift_JIS (ruby on garbled text): it is
# refused, naming the text, the line and the byte, and how to force the encoding; forced, it is
# read as said. A Shift_JIS text is read as ever. Each row: what is run, its status, what stderr
# says (empty: nothing is checked), and whether a ruby file is written.
cp "$data/Qv_Body.pre" "$home/dic/Qv_Body.pre"
expect 0 "${run[@]}" build-dic "$home/dic/Qv_Body.pre"
iconv -f CP932 -t UTF-8 "$data/text.txt" | sed '2s/$/\xff/' >"$scratch/broken.txt"
cp "$data/text.txt" "$scratch/sjis.txt"
texts=(
  "ruby --reading dictionary broken.txt|1|2 行目|no"
  "ruby --reading dictionary - <broken.txt|1|標準入力|no"
  "ruby --reading dictionary broken.txt|1|--encoding sjis|no"
  "--encoding sjis ruby --reading dictionary broken.txt|0||yes"
  "ruby --reading dictionary sjis.txt|0||yes"
)
for row in "${texts[@]}"; do
  IFS='|' read -r args want says written <<<"$row"
  rm -f "$scratch"/*.srb
  read -ra words <<<"${args%<*}"
  input=/dev/null
  [ "$args" = "${args%<*}" ] || input="$scratch/${args#*<}"
  got=0
  (cd "$scratch" && timeout 60 "${run[@]}" "${words[@]}" <"$input" >"$scratch/out" 2>"$scratch/err") ||
    got=$?
  [ "$got" -eq "$want" ] || fail "'$args' exited with $got, not $want: $(cat "$scratch/err")"
  [ -z "$says" ] || stderr_has "$says"
  if [ "$written" = yes ]; then
    ls "$scratch"/*.srb >/dev/null 2>&1 || fail "'$args' wrote no ruby file"
  else
    ! ls "$scratch"/*.srb >/dev/null 2>&1 || fail "'$args' wrote a ruby file"
    [ "${args%<*}" = "$args" ] || [ ! -s "$scratch/out" ] || fail "'$args' printed ruby"
  fi
done
cmp -s "$scratch/sjis.srb" "$data/expected.srb" || fail "a Shift_JIS text got other ruby"

# A run stopped by a signal leaves no working folder behind. Each run waits on standard input (a
# FIFO held open) with part of its text copied into its private folder, is sent the signal (which
# the shell would have a background job ignore, hence env), and ends by it with the folder gone.
tmp="$scratch/tmp"
mkdir "$tmp"
mkfifo "$scratch/fifo"
for interrupt in INT TERM HUP PIPE; do
  TMPDIR="$tmp" env --default-signal="$interrupt" "${run[@]}" ruby --reading dictionary - \
    <"$scratch/fifo" >/dev/null 2>"$scratch/err" &
  pid=$!
  exec 3>"$scratch/fifo"
  printf 'abc' >&3
  for ((i = 0; i < 600; i++)); do
    compgen -G "$tmp/mirukaze-*/stdin.raw" >/dev/null && break
    sleep 0.1
  done
  compgen -G "$tmp/mirukaze-*/stdin.raw" >/dev/null || fail "SIG$interrupt: the run never copied its input"
  kill -s "$interrupt" "$pid"
  got=0
  wait "$pid" || got=$?
  exec 3>&-
  [ "$got" -eq $((128 + $(kill -l "$interrupt"))) ] || fail "SIG$interrupt: the run exited with $got"
  ! compgen -G "$tmp/mirukaze-*" >/dev/null || fail "SIG$interrupt left $(ls "$tmp")"
done

echo "unusual input: all passed"
