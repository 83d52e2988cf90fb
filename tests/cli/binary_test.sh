#!/usr/bin/env bash
# The real mirukaze-cli binary: exit statuses, messages on stderr, questions without a
# terminal, several runs at the same time, and the memory set-up that main() alone does.
#   binary_test.sh MIRUKAZE_CLI TEST_DATA_DIR HEAP
# HEAP is "program-break" for a plain build, "sanitizer" where a checking allocator owns the heap.
cli="$1"
data="$2/all_ruby"
heap="$3"
source "$(dirname "$0")/script_support.sh"

expect 0 "$cli" --help
grep -q '^Usage: mirukaze-cli' "$scratch/out" || fail "--help prints no usage"
expect 2 "$cli"
stderr_has "no command given"

cp "$data/Qv_Body.pre" "$home/dic/Qv_Body.pre"
expect 0 "$cli" --home "$home" --no build-dic "$home/dic/Qv_Body.pre"
# Nobody at the terminal: the question to overwrite is answered Cancel.
expect 1 "$cli" --home "$home" build-dic "$home/dic/Qv_Body.pre"
stderr_has "上書きしていいですか？"
stderr_has "  → Cancel"

# Runs at the same time never share their working files.
pids=()
for i in 1 2 3 4; do
  cp "$data/text.txt" "$home/t$i.txt"
  "$cli" --home "$home" ruby --reading dictionary "$home/t$i.txt" >"$scratch/out$i" 2>&1 </dev/null &
  pids+=("$!")
done
for i in 1 2 3 4; do
  wait "${pids[$((i - 1))]}" || fail "run $i failed: $(cat "$scratch/out$i")"
  cmp "$data/expected.srb" "$home/t$i.srb" || fail "run $i wrote a different ruby file"
done

# The registry lives in the settings file; a bad action is a usage error and changes nothing.
expect 2 "$cli" --home "$home" dic mode 5
[ ! -e "$home/qelvoVR11.ini" ] || fail "a refused dic mode wrote the settings file"
expect 0 "$cli" --home "$home" dic mode 2
grep -q $'^DIC_PATTERN=2\r$' "$home/qelvoVR11.ini" || fail "dic mode 2 was not saved"
expect 1 "$cli" --home "$home" dic remove-all
stderr_has "  → Cancel"

expect 1 "$cli" --home "$home" check --separators "$home/t1.srb"
stderr_has "【警告】 3 行目::"

# A filter: standard input in, the ruby text out, in the text's own encoding and line ends.
"$cli" --home "$home" --no ruby --reading dictionary --dic-mode 0 - <"$data/text.txt" >"$scratch/filtered" ||
  fail "ruby - failed on a Shift_JIS text"
cmp "$data/expected.srb" "$scratch/filtered" || fail "ruby - printed another ruby text"
iconv -f CP932 -t UTF-8 "$data/text.txt" | tr -d '\r' >"$scratch/utf8.txt"
iconv -f CP932 -t UTF-8 "$data/expected.srb" | tr -d '\r' >"$scratch/utf8.srb"
"$cli" --home "$home" --no ruby --reading dictionary --dic-mode 0 - <"$scratch/utf8.txt" >"$scratch/filtered" ||
  fail "ruby - failed on a UTF-8 text"
cmp "$scratch/utf8.srb" "$scratch/filtered" || fail "ruby - changed the encoding or line ends"
expect 0 "$cli" --version
grep -q '^mirukaze-cli [0-9]' "$scratch/out" || fail "--version prints no version"
# The allocator keeps freed blocks, and (on a plain heap) the heap grows at once by a stretch of
# at least 64 MB, which is marked for huge pages where the system gives them.
grep -q '^memory: freed blocks kept for reuse; ' "$scratch/out" ||
  fail "--version tells no memory set-up: main() did not set up the allocator"
if [ "$heap" = program-break ]; then
  stretch="$(sed -n 's/^memory: .* the heap grown by \([0-9]*\) MB at once.*/\1/p' "$scratch/out")"
  [ "${stretch:-0}" -ge 64 ] || fail "the heap did not grow by its stretch: $(grep '^memory' "$scratch/out")"
fi

echo "mirukaze-cli binary: all checks passed"
