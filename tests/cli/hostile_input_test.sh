#!/usr/bin/env bash
# The real mirukaze-cli binary against input and output it must not trust: pipes and devices
# given as files, an output that is the input, the longest legal names, a settings file that
# must not be replaced, standard output that cannot be written, a file-size limit that makes
# every write fail, and eight runs at the same time.
#   hostile_input_test.sh MIRUKAZE_CLI TEST_DATA_DIR
cli="$1"
data="$2/all_ruby"
source "$(dirname "$0")/script_support.sh"

cp "$data/Qv_Body.pre" "$home/dic/Qv_Body.pre"
expect 0 "$cli" --home "$home" --no build-dic "$home/dic/Qv_Body.pre"
run=("$cli" --home "$home" --no)
cp "$data/expected.srb" "$scratch/r.srb"

# Every command that reads a file refuses a pipe and an endless device at once, naming it.
mkfifo "$scratch/fifo"
readers=("kana --to hiragana" "strip --keep base" "repair --kind 1 --selection {a/b}" "escape-braces"
         "sort" "dupcheck" "check" "html" "ymi" "nnn" "ruby" "restore-dic" "build-dic")
for reader in "${readers[@]}"; do
  read -ra words <<<"$reader"
  for special in "$scratch/fifo" /dev/zero; do
    expect 1 "${run[@]}" "${words[@]}" "$special"
    stderr_has "$special"
  done
done
stderr_has "通常のファイルではありません"
# Standard input is still read through "-".
"${run[@]}" strip --keep base - <"$data/expected.srb" >"$scratch/stripped" ||
  fail "strip - failed on standard input"
cmp -s -n "$(stat -c %s "$data/text.txt")" "$scratch/stripped" "$data/text.txt" ||
  fail "strip - gave another text back"

# Help, version and results that never reach a full standard output are no success.
for args in "--help" "--version" "kana --help" "strip --keep base $scratch/r.srb"; do
  read -ra words <<<"$args"
  got=0
  "${run[@]}" "${words[@]}" >/dev/full 2>"$scratch/err" || got=$?
  [ "$got" -ne 0 ] || fail "'$args' >/dev/full exited 0"
  stderr_has "標準出力に書き込めませんでした。"
done

# A conversion whose output is its own input (by name, or by another hard link) writes nothing.
cp "$data/expected.srb" "$scratch/same.ymi"
cp "$data/expected.srb" "$scratch/same.nnn"
cp "$data/expected.srb" "$scratch/linked.srb"
ln "$scratch/linked.srb" "$scratch/linked.ymi"
for input in same.ymi linked.srb; do
  expect 1 "${run[@]}" ymi "$scratch/$input"
  stderr_has "そのものです"
done
expect 1 "${run[@]}" nnn "$scratch/same.nnn"
for kept in same.ymi same.nnn linked.srb; do
  cmp -s "$scratch/$kept" "$data/expected.srb" || fail "$kept was replaced by its conversion"
done

# Names as long as a name may be (255 bytes) are written like any other.
long="$(printf 'n%.0s' {1..250})"
mkdir "$scratch/long"
cp "$data/expected.srb" "$scratch/long/$long.srb"
expect 0 "${run[@]}" kana --to katakana "$scratch/long/$long.srb" -o "$scratch/long/${long}.kana"
expect 0 "${run[@]}" strip --keep base "$scratch/long/$long.srb" -o "$scratch/long/${long}.base"
expect 0 "${run[@]}" ymi "$scratch/long/$long.srb"
expect 0 "${run[@]}" nnn "$scratch/long/$long.srb"
cp "$data/expected.srb" "$scratch/long/${long:0:240}.srb"
expect 0 "${run[@]}" html "$scratch/long/${long:0:240}.srb"
[ "$(find "$scratch/long" -name '.*' | wc -l)" -eq 0 ] || fail "a temporary file was left"

# Every write failing (a file-size limit, as a full disk would): each command says so and the
# previous file stays whole.
limited=(bash -c 'trap "" XFSZ; ulimit -f 1; exec "$@"' limited)
big="$scratch/big.srb"
for i in $(seq 200); do cat "$data/expected.srb"; done >"$big"
for target in big.kana big.ymi big.nnn big.html; do echo previous >"$scratch/$target"; done
expect 1 "${limited[@]}" "${run[@]}" kana --to katakana "$big" -o "$scratch/big.kana"
stderr_has "big.kana>に書き込めませんでした。ファイルの大きさの上限を超えました。"
expect 1 "${limited[@]}" "${run[@]}" ymi "$big"
expect 1 "${limited[@]}" "${run[@]}" nnn "$big"
expect 1 "${limited[@]}" "${run[@]}" html "$big"
for target in big.kana big.ymi big.nnn big.html; do
  [ "$(cat "$scratch/$target")" = previous ] || fail "$target was not left as it was"
done
"${run[@]}" strip --keep base "$big" -o "$scratch/big.txt" || fail "strip of the big text failed"
echo previous >"$big"
expect 1 "${limited[@]}" "${run[@]}" ruby --reading dictionary "$scratch/big.txt"
[ "$(cat "$big")" = previous ] || fail "a failed ruby run changed the ruby file"
[ "$(find "$scratch" -maxdepth 1 -name '.*' | wc -l)" -eq 0 ] || fail "a temporary file was left"

# A working folder on a full disk (a small memory file system, where one may be mounted) is
# named as the cause, and the ruby file stays as it was.
full="$scratch/full"
mkdir "$full"
if mount -t tmpfs -o size=200k tmpfs "$full" 2>/dev/null; then
  trap 'umount "$full"; rm -rf "$scratch"' EXIT
  for _ in $(seq 3000); do cat "$data/text.txt"; done >"$scratch/huge.txt"
  echo previous >"$scratch/huge.srb"
  expect 1 "${run[@]}" --workdir "$full" ruby --reading dictionary "$scratch/huge.txt"
  stderr_has "作業フォルダ<$full/mirukaze-"
  stderr_has "のディスクに空きがありません。"
  [ "$(cat "$scratch/huge.srb")" = previous ] || fail "a run on a full disk changed the ruby file"
  umount "$full"
  trap 'rm -rf "$scratch"' EXIT
else
  echo "no memory file system can be mounted here: the full working folder is not tried"
fi

# Eight runs at once on different texts give the bytes of one run at a time.
for i in 1 2 3 4 5 6 7 8; do
  for _ in $(seq "$i"); do cat "$data/text.txt"; done >"$scratch/text$i.txt"
  cp "$scratch/text$i.txt" "$scratch/alone$i.txt"
  "${run[@]}" ruby --reading dictionary "$scratch/alone$i.txt" >/dev/null 2>"$scratch/err" || fail "run $i: $(cat "$scratch/err")"
done
pids=()
for i in 1 2 3 4 5 6 7 8; do
  "${run[@]}" ruby --reading dictionary "$scratch/text$i.txt" >/dev/null 2>&1 </dev/null &
  pids+=("$!")
done
for i in 1 2 3 4 5 6 7 8; do
  wait "${pids[$((i - 1))]}" || fail "concurrent run $i failed"
  cmp -s "$scratch/alone$i.srb" "$scratch/text$i.srb" || fail "concurrent run $i gave other bytes"
done

# A read-only settings file is kept as its owner made it; a build whose count could not be
# recorded leaves the old grade dictionary.
expect 0 "${run[@]}" dic mode 1
chmod a-w "$home/qelvoVR11.ini"
cp "$home/qelvoVR11.ini" "$scratch/settings.before"
expect 1 "${run[@]}" dic mode 2
stderr_has "qelvoVR11.ini"
cmp -s "$home/qelvoVR11.ini" "$scratch/settings.before" || fail "dic mode changed a read-only file"
[ ! -w "$home/qelvoVR11.ini" ] || [ "$(id -u)" -eq 0 ] || fail "the settings file became writable"
stat -c %a "$home/qelvoVR11.ini" | grep -q '^4' || fail "the settings file lost its read-only mode"
printf '1\t一\t1\tいち\n' | iconv -f UTF-8 -t CP932 >"$home/dic/教育漢字.txt"
echo "old grade dictionary" >"$home/dic/HaitouNen.dic"
expect 1 "$cli" --home "$home" --yes build-grade
stderr_has "H_KANJISUU"
grep -q "old grade dictionary" "$home/dic/HaitouNen.dic" || fail "build-grade replaced the dictionary"
chmod u+w "$home/qelvoVR11.ini"

echo "mirukaze-cli hostile input: all checks passed"
