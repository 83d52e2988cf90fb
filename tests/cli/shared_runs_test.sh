#!/usr/bin/env bash
# Runs of the real mirukaze-cli binary at the same time stay correct: changes of the settings
# file are never lost to another run's, the grade dictionary's count always matches it, a
# working folder given with --workdir is used by one run at a time, and a user's file there
# never gives way to a working file of the same name.
#   shared_runs_test.sh MIRUKAZE_CLI TEST_DATA_DIR
cli="$1"
data="$2/all_ruby"
source "$(dirname "$0")/script_support.sh"

run=("$cli" --home "$home" --no)

# Eight registry changes at once: all eight entries are kept.
printf '漢字,かん*じ\n' >"$home/dic/u.pre"
"${run[@]}" build-dic "$home/dic/u.pre" >/dev/null 2>&1 || fail "no user dictionary was built"
for i in 1 2 3 4 5 6 7 8; do cp "$home/dic/u.dic" "$home/dic/u$i.dic"; done
rm -f "$home/qelvoVR11.ini"
pids=()
for i in 1 2 3 4 5 6 7 8; do
  "${run[@]}" dic add "name$i" "$home/dic/u$i.dic" >/dev/null 2>&1 &
  pids+=("$!")
done
for pid in "${pids[@]}"; do wait "$pid" || fail "a concurrent dic add failed"; done
for i in 1 2 3 4 5 6 7 8; do
  grep -q "=u$i.dic" "$home/qelvoVR11.ini" || fail "the entry of u$i.dic was lost"
done

# build-grade racing dic mode: the recorded count is that of the dictionary in place.
one="$(printf '1\t一\t1\tいち\n' | iconv -f UTF-8 -t CP932)"
two="$(printf '1\t一\t1\tいち\n2\t二\t1\tに\n3\t三\t1\tさん\n' | iconv -f UTF-8 -t CP932)"
for round in $(seq 12); do
  if [ $((round % 2)) -eq 0 ]; then want=1 source="$one"; else want=3 source="$two"; fi
  printf '%s\n' "$source" >"$home/dic/教育漢字.txt"
  "$cli" --home "$home" --yes build-grade >/dev/null 2>&1 &
  grade=$!
  "${run[@]}" dic mode $((round % 3)) >/dev/null 2>&1 &
  mode=$!
  wait "$grade" || fail "build-grade failed in round $round"
  wait "$mode" || fail "dic mode failed in round $round"
  grep -q "^H_KANJISUU=$want"$'\r'"\?$" "$home/qelvoVR11.ini" ||
    fail "round $round: $(grep H_KANJISUU "$home/qelvoVR11.ini") beside a $want-kanji dictionary"
done

# A --workdir in use is refused; the run that holds it is not disturbed.
mkdir "$scratch/work"
cp "$data/Qv_Body.pre" "$home/dic/Qv_Body.pre"
"${run[@]}" build-dic "$home/dic/Qv_Body.pre" >/dev/null 2>&1 || fail "the main dictionary was not built"
exec 9>"$scratch/work/.mirukaze-workdir.lock"
flock 9
cp "$data/text.txt" "$scratch/a.txt"
got=0
"${run[@]}" --workdir "$scratch/work" ruby --reading dictionary "$scratch/a.txt" \
  >/dev/null 2>"$scratch/err" || got=$?
[ "$got" -eq 1 ] || fail "a --workdir in use was not refused ($got)"
grep -qF "作業フォルダ<$scratch/work>" "$scratch/err" || fail "the refusal lacks the folder: $(cat "$scratch/err")"
[ ! -e "$scratch/a.srb" ] || fail "a refused run wrote a ruby file"
exec 9>&-

# A user's files named like working files stay as they are, and nothing is left behind.
for name in 'tempo$$$.$$$' 'user_.$rb' 'shori_.$rb' 'users$$$.$$$' 'error_ck.out' 'd01.$'; do
  echo "mine" >"$scratch/work/$name"
done
"${run[@]}" --workdir "$scratch/work" ruby --reading dictionary "$scratch/a.txt" >/dev/null 2>&1 ||
  fail "ruby in a given working folder failed"
"$cli" --home "$home" --yes --workdir "$scratch/work" build-dic "$home/dic/Qv_Body.pre" >/dev/null 2>&1 ||
  fail "build-dic in a given working folder failed"
for name in 'tempo$$$.$$$' 'user_.$rb' 'shori_.$rb' 'users$$$.$$$' 'error_ck.out' 'd01.$'; do
  [ "$(cat "$scratch/work/$name")" = mine ] || fail "the working file $name replaced the user's"
done
[ -z "$(find "$scratch/work" -mindepth 1 -type d)" ] || fail "a private working folder was left"

# Eight runs at once in one --workdir: each either writes its own text's ruby or is refused.
for i in 1 2 3 4 5 6 7 8; do
  for _ in $(seq "$i"); do cat "$data/text.txt"; done >"$scratch/text$i.txt"
  cp "$scratch/text$i.txt" "$scratch/alone$i.txt"
  "${run[@]}" ruby --reading dictionary "$scratch/alone$i.txt" >/dev/null 2>&1 || fail "run $i alone failed"
done
pids=()
for i in 1 2 3 4 5 6 7 8; do
  "${run[@]}" --workdir "$scratch/work" ruby --reading dictionary "$scratch/text$i.txt" \
    >/dev/null 2>&1 </dev/null &
  pids+=("$!")
done
for i in 1 2 3 4 5 6 7 8; do
  if wait "${pids[$((i - 1))]}"; then
    cmp -s "$scratch/alone$i.srb" "$scratch/text$i.srb" || fail "run $i in the shared folder gave other bytes"
  else
    [ ! -e "$scratch/text$i.srb" ] || fail "refused run $i wrote a ruby file"
  fi
done

echo "mirukaze-cli shared runs: all checks passed"
