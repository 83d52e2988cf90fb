#!/usr/bin/env bash
# The real mirukaze-cli binary on texts larger than the memory it may take: the commands that
# change a whole ruby file work through it a piece at a time, and one that must hold it (sort)
# refuses past its limit or, when the memory runs out all the same, says so and leaves no file.
#   bounded_memory_test.sh MIRUKAZE_CLI
cli="$1"
source "$(dirname "$0")/script_support.sh"

run=("$cli" --home "$home")
group='{\x8a\xbf\x8e\x9a/\x82\xa9\x82\xf1\x82\xb6}\x82\xcc'  # {漢字/かんじ}の, Shift_JIS
base='\x8a\xbf\x8e\x9a\x82\xcc'                         # 漢字の
printf "$group\r\n" >"$scratch/small.srb"

# The least virtual memory (in KiB, a multiple of 8 MiB) a strip of a small file runs in; none
# under a sanitizer, which reserves far more than any limit leaves.
least=""
for ((kib = 8192; kib <= 1048576; kib += 8192)); do
  if (ulimit -v "$kib" && exec "${run[@]}" strip --keep base "$scratch/small.srb") >/dev/null 2>&1
  then
    least="$kib"
    break
  fi
done 2>/dev/null
if [ -z "$least" ]; then
  echo "mirukaze-cli does not run under a memory limit here (a sanitizer build?): nothing tried"
  exit 0
fi
allowed=$((least + 12288))

# 38 MiB of ruby text, as one line and as many; the whole of it does not fit in what is allowed.
# doubled FILE N: FILE made 2^N times as long.
doubled() {
  local i
  for ((i = 0; i < $2; i++)); do cat "$1" "$1" >"$1.twice" && mv "$1.twice" "$1"; done
}
one_line="$scratch/one_line.srb"
lines="$scratch/lines.srb"
printf "$group%.0s" $(seq 4096) >"$one_line"
printf "$base%.0s" $(seq 4096) >"$one_line.base"
(cat "$one_line" && printf '\r\n') >"$lines"
(cat "$one_line.base" && printf '\r\n') >"$lines.base"
for file in "$one_line" "$one_line.base" "$lines" "$lines.base"; do doubled "$file" 9; done
printf '\r\n' | tee -a "$one_line" >>"$one_line.base"

for input in "$one_line" "$lines"; do
  for command in "strip --keep base" "kana --to katakana" "repair --kind 1" "escape-braces"; do
    read -ra words <<<"$command"
    rm -f "$scratch/out"
    got=0
    (ulimit -v "$allowed" && exec "${run[@]}" --yes "${words[@]}" "$input" -o "$scratch/out") \
      2>"$scratch/err" || got=$?
    [ "$got" -eq 0 ] || fail "$command on $(basename "$input") under $allowed KiB exited $got: $(cat "$scratch/err")"
    [ "$(stat -c %s "$scratch/out")" -gt 0 ] || fail "$command wrote nothing"
    if [ "$command" = "strip --keep base" ]; then
      cmp -s "$scratch/out" "$input.base" || fail "strip of $(basename "$input") lost or changed text"
    fi
  done
done

# sort holds the text: past --max-size it is refused, and memory running out is told as such;
# neither leaves a file at the output.
echo previous >"$scratch/sorted"
expect 1 "${run[@]}" sort --max-size 1M "$lines" -o "$scratch/sorted"
stderr_has "上限の 1048576 バイトを超えています"
got=0
(ulimit -v "$allowed" && exec "${run[@]}" sort --max-size 1G "$lines" -o "$scratch/sorted") \
  2>"$scratch/err" || got=$?
[ "$got" -eq 1 ] || fail "sort out of memory exited $got, not 1: $(cat "$scratch/err")"
stderr_has "メモリが足りなくなったので"
[ "$(cat "$scratch/sorted")" = previous ] || fail "sort out of memory changed its output"
[ "$(find "$scratch" -maxdepth 1 -name '.*' | wc -l)" -eq 0 ] || fail "a temporary file was left"

echo "mirukaze-cli bounded memory: all checks passed"
