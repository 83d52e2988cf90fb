#!/usr/bin/env bash
# The real mirukaze-cli binary never writes a file over the file it reads: not by the default
# name, not through -o, not through a symbolic or a hard link, in either encoding; the
# dictionary build and restore neither; and its reports are made anew, never written through
# a link. Every refusal names both files and leaves every file as it was.
#   own_input_test.sh MIRUKAZE_CLI TEST_DATA_DIR
cli="$1"
data="$2/all_ruby"
source "$(dirname "$0")/script_support.sh"
same() { cmp -s "$1" "$2" || fail "$3"; }

cp "$data/Qv_Body.pre" "$home/dic/Qv_Body.pre"
expect 0 "$cli" --home "$home" --no build-dic "$home/dic/Qv_Body.pre"
run=("$cli" --home "$home" --no)
cd "$scratch"

utf8_ruby="$(printf '{今日/きょう}\n')"
iconv -f UTF-8 -t CP932 <<<"$utf8_ruby" | sed 's/$/\r/' >sjis.ruby
printf '%s\n' "$utf8_ruby" | head -c -1 >utf8.ruby
iconv -f CP932 -t UTF-8 "$data/text.txt" >utf8.txt

# check_kept NAME ORIGINAL COMMAND...: NAME holds ORIGINAL's bytes; COMMAND is refused, naming
# NAME, and NAME still holds them, whatever link stands where.
check_kept() {
  local name="$1" original="$2"
  shift 2
  expect 1 "$@"
  stderr_has "そのもの"
  stderr_has "$name"
  same "$name" "$original" "'$*' changed $name"
}

# Conversions and transforms whose output is the input: the default name (a ruby file named
# like its YMI, NNN file or page), -o naming it, and a link standing at the output's name.
for form in sjis utf8; do
  cp $form.ruby r.ymi
  check_kept r.ymi $form.ruby "${run[@]}" ymi r.ymi
  cp $form.ruby r.nnn
  check_kept r.nnn $form.ruby "${run[@]}" nnn r.nnn
  cp $form.ruby s.srb
  check_kept s.srb $form.ruby "${run[@]}" html s.srb -o s.srb
  check_kept s.srb $form.ruby "${run[@]}" html --pass-through s.srb -o ./s.srb
  check_kept s.srb $form.ruby "${run[@]}" kana --to katakana s.srb -o s.srb
  check_kept s.srb $form.ruby "${run[@]}" strip --keep base s.srb -o "$scratch/s.srb"
  ln -sf s.srb sRb.html
  check_kept s.srb $form.ruby "${run[@]}" html s.srb
  ln -f s.srb s.ymi
  check_kept s.srb $form.ruby "${run[@]}" ymi s.srb
  rm -f sRb.html s.ymi
done

# The ruby file of a text is never the text: a link at its name, or -o naming the text.
for form in sjis utf8; do
  if [ $form = sjis ]; then cp "$data/text.txt" story.txt; else cp utf8.txt story.txt; fi
  cp story.txt original.txt
  ln -sf story.txt story.srb
  check_kept story.txt original.txt "${run[@]}" ruby --reading dictionary story.txt
  [ -L story.srb ] || fail "the link at the ruby file's name was moved"
  [ ! -e story.~srb ] || fail "a backup was made of the text"
  rm story.srb
  check_kept story.txt original.txt "${run[@]}" ruby --reading dictionary story.txt -o story.txt
  ln -sf story.txt linked.srb
  check_kept story.txt original.txt "${run[@]}" ruby --reading dictionary story.txt -o linked.srb
  rm linked.srb
done

# A source named .dic would become its own dictionary: refused before any question, the source
# and the old backup kept.
printf '漢字,かん*じ\n' >w.dic
cp w.dic w.original
echo old >w.~dic
expect 1 "$cli" --home "$home" --yes build-dic w.dic
stderr_has "辞書の元ファイル<w.dic>"
same w.dic w.original "build-dic replaced its source"
[ "$(cat w.~dic)" = old ] || fail "build-dic replaced the backup"

# The build's reports are made anew, never through a link, and a link to the source is refused.
rm w.dic w.~dic
printf '漢字,かん*じ\n' >w.pre
cp w.pre w.original
ln -s w.pre error_ck.out
expect 1 "$cli" --home "$home" --yes build-dic w.pre
stderr_has "error_ck.out"
same w.pre w.original "the report was written into the source"
rm error_ck.out
echo other >elsewhere
ln -s elsewhere adr_info.txt
ln -s elsewhere error_ck.out
expect 0 "$cli" --home "$home" --no build-dic w.pre
[ "$(cat elsewhere)" = other ] || fail "a report was written through a link"
[ ! -L adr_info.txt ] && [ ! -L error_ck.out ] || fail "a report is still a link"
[ -s w.dic ] || fail "w.pre built no dictionary"

# restore-dic never writes the source into the dictionary it reads.
cp w.dic u.dic
ln -s u.dic u.pre
expect 1 "$cli" --home "$home" --yes restore-dic u.dic
stderr_has "u.pre"
same u.dic w.dic "restore-dic overwrote the dictionary"
[ ! -e u.~pre ] || fail "restore-dic moved the dictionary to the backup"

echo "mirukaze-cli own input: all checks passed"
