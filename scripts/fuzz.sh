#!/usr/bin/env bash
# Builds every fuzz target with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer and
# runs each from its committed corpus (fuzz/corpus/TARGET) and seeds from the test data. Prints
# per target its executions, executions a second, and "no finding" or the path of the input
# that broke it, then
#   targets=N findings=F slow=S execs=E
# and exits 1 when anything was found or, in a timed run, a target ran fewer than
# FUZZ_MIN_RATE executions a second (2000 by default; 0 turns the check off, as on a machine
# busy with other work): a slow target is fuzzed too little to count.
#   bash scripts/fuzz.sh [SECONDS]          each target for SECONDS (default 60) or a million
#                                           executions, whichever comes first
#   bash scripts/fuzz.sh --runs N [TARGET…]  a long campaign: each target (all by default) until
#                                           N executions, however long that takes
#   bash scripts/fuzz.sh --merge            the committed corpora minimised again with what the
#                                           runs since found (then commit fuzz/corpus)
#   bash scripts/fuzz.sh --build-only
# Build folder: build-fuzz, or $FUZZ_BUILD_DIR. An input it finds belongs under tests/data/ as a
# regression test. FUZZ_SANITIZE=undefined (build folder build-fuzz-undefined) leaves
# AddressSanitizer out, for a campaign of many millions on a target whose inputs cost
# milliseconds under it: crashes, hangs, undefined behaviour and broken checks are still found,
# overruns only where they crash.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sanitize="${FUZZ_SANITIZE:-address,undefined}"
case "$sanitize" in
  address,undefined) build="${FUZZ_BUILD_DIR:-$root/build-fuzz}" ;;
  undefined) build="${FUZZ_BUILD_DIR:-$root/build-fuzz-undefined}" ;;
  *) echo "FUZZ_SANITIZE is address,undefined or undefined, not $sanitize" >&2; exit 2 ;;
esac
mode=time
seconds=60
runs=1000000
selected=()
case "${1:-}" in
  --build-only) mode=build ;;
  --merge) mode=merge ;;
  --runs)
    mode=campaign
    runs="${2:?--runs needs a number}"
    selected=("${@:3}")
    ;;
  "") ;;
  *) seconds="$1" ;;
esac
data="$root/tests/data"

bash "$root/scripts/install-missing.sh" fuzz clang libclang-rt-dev cmake ccache libicu-dev >&2

mkdir -p "$build"
# Neither make nor ccache reads the coverage ignore list, so an edited list would leave the
# objects built with the old one: its digest goes into the flags (make rebuilds) and the list
# into what ccache hashes.
ignore="$root/fuzz/coverage_ignore.txt"
ignore_digest="$(sha1sum "$ignore" | cut -c1-12)"
# scripts/sanitize.sh shares this build with its tests (FUZZ_WITH_TESTS=ON).
CXX=clang++ cmake -S "$root" -B "$build" -DMIRUKAZE_FUZZ=ON -DMIRUKAZE_GUI=OFF \
  "-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_EXTRAFILES=$ignore;ccache" \
  -DMIRUKAZE_TESTS="${FUZZ_WITH_TESTS:-OFF}" -DMIRUKAZE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,$sanitize -fno-sanitize-recover=undefined -fno-omit-frame-pointer -fsanitize-coverage-ignorelist=$ignore -DMIRUKAZE_COVERAGE_IGNORE=$ignore_digest" \
  >"$build/configure.log" 2>&1 || { cat "$build/configure.log" >&2; exit 2; }
targets=(fuzz_ruby_dictionary fuzz_grade_level fuzz_dictionary_roundtrip fuzz_ruby_passes
         fuzz_kana fuzz_writers fuzz_settings fuzz_encoding fuzz_filters fuzz_notation_checker
         fuzz_context_reading)
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" >"$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log" >&2; exit 2; }
if [ "$mode" = build ]; then exit 0; fi
if [ "${#selected[@]}" -gt 0 ]; then targets=("${selected[@]}"); fi

# The longest input each target is given: a few kilobytes reach every branch of a text target,
# a dictionary target needs room for its file's tables.
max_len() {
  case "$1" in
    fuzz_ruby_dictionary) echo 16384 ;;
    fuzz_grade_level) echo 20000 ;;
    *) echo 4096 ;;
  esac
}

# Seeds: the test data each target reads, with the option bytes some targets take first.
seed() {  # seed TARGET NAME PREFIX FILE...
  local target="$1" name="$2" prefix="$3"
  shift 3
  local dir="$build/corpus/$target"
  mkdir -p "$dir"
  local i=0 file
  for file in "$@"; do
    [ -f "$file" ] || continue
    { printf "$prefix"; cat "$file"; } >"$dir/seed-$name-$i"
    i=$((i + 1))
  done
}
shopt -s nullglob
seed fuzz_ruby_dictionary dic '' "$data"/dictionary/golden/expected.dic
seed fuzz_grade_level grade '\x0a\x00\xbf\x8a\xa0\x82\x9a\x8e\xfa\x93' \
  "$data"/dictionary/grade_small/HaitouNen.dic
seed fuzz_grade_level level '\x0a\x00\xbf\x8a\xa0\x82\x9a\x8e\xfa\x93' \
  "$data"/dictionary/level_small/kanken_Q.dic
seed fuzz_dictionary_roundtrip source '' "$data"/dictionary/golden/source.pre \
  "$data"/engine/*/*.pre "$data"/cli/filter_ruby/*.pre "$data"/cli/conversions/*.pre
seed fuzz_ruby_passes text '\x00\x05' "$data"/engine/*/input.txt
seed fuzz_kana ruby '\x04\x01\x00\x01\x00\x10' "$data"/rubywindow/*/*.srb \
  "$data"/rubywindow/*/*.lrb "$data"/engine/*/expected.*rb
seed fuzz_writers ruby '\x01\x06\x00\x12\x00\xfa\x00\x01\x01\x01\x00\x03\x00\x00\x00\x01\x00\x03\x00\x00\x00\x00\x00@@@@1,@@@@2\x00\x00,\x00\x08\x00\x81\x9a****1****4\x81\x9a\x00font\x00' \
  "$data"/rubywindow/*/*.srb "$data"/rubywindow/*/*.lrb "$data"/cli/conversions/*.srb
seed fuzz_settings ini '\x00\x00\x00' "$data"/engine/*/settings.txt "$data"/cli/*/settings.ini
seed fuzz_encoding text '' "$data"/engine/*/input.txt "$data"/rubywindow/*/expected.* \
  "$data"/dicgen/everyday.txt
seed fuzz_filters ruby '\x01\x03\x05\x00\x00\x00\x01\x08\x03\x01\x00\x02\x00\x01\x01\x03@\x00,\x00\x00\x00' \
  "$data"/engine/*/expected.*rb "$data"/rubywindow/*/*.srb "$data"/cli/*/*.srb
seed fuzz_notation_checker ruby '\x01\x00\x00\x00<HTML>\x00<BODY>\x00' \
  "$data"/engine/*/expected.*rb "$data"/rubywindow/*/*.srb "$data"/rubywindow/*/*.lrb
seed fuzz_context_reading text '\x00\x05\x21\x33\x47\x12\x09\x8a\x00' "$data"/engine/*/input.txt

mkdir -p "$build/findings"

if [ "$mode" = merge ]; then
  for target in "${targets[@]}"; do
    committed="$root/fuzz/corpus/$target"
    merged="$build/merged/$target"
    rm -rf "$merged"
    mkdir -p "$merged" "$committed"
    "$build/fuzz/$target" -merge=1 -max_len="$(max_len "$target")" -timeout=25 \
      -rss_limit_mb=2048 "$merged" "$committed" "$build/corpus/$target" \
      >"$build/$target.merge.log" 2>&1 || { tail -20 "$build/$target.merge.log" >&2; exit 1; }
    rm -rf "$committed"
    mv "$merged" "$committed"
    echo "$target: $(find "$committed" -type f | wc -l) inputs, $(du -sb "$committed" | cut -f1) bytes"
  done
  exit 0
fi

# A smaller quarantine than AddressSanitizer's 256 MB: an input frees a few hundred kilobytes at
# the most, so 64 MB still holds what the last hundreds of inputs freed, and the memory is
# reused instead of fresh pages being faulted in for every input.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=64}"
limits=(-max_total_time="$seconds" -runs="$runs")
if [ "$mode" = campaign ]; then limits=(-runs="$runs"); fi
min_rate="${FUZZ_MIN_RATE:-2000}"
findings=0
slow=0
total=0
for target in "${targets[@]}"; do
  log="$build/$target.log"
  status=0
  committed=()
  if [ -d "$root/fuzz/corpus/$target" ]; then committed=("$root/fuzz/corpus/$target"); fi
  # New inputs go to the first folder; the committed corpus is only read.
  "$build/fuzz/$target" "${limits[@]}" -max_len="$(max_len "$target")" -timeout=25 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
    "$build/corpus/$target" "${committed[@]}" >"$log" 2>&1 || status=$?
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  execs="${execs:-0}"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
  total=$((total + execs))
  pace=""
  if [ "$mode" = time ] && [ "$min_rate" -gt 0 ] && [ "${rate:-0}" -lt "$min_rate" ]; then
    slow=$((slow + 1))
    pace=" slow (under $min_rate/s)"
  fi
  if [ "$status" -eq 0 ]; then
    echo "$target: execs=$execs exec/s=${rate:-0} no finding$pace"
  else
    findings=$((findings + 1))
    crash="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)"
    echo "$target: execs=$execs exec/s=${rate:-0} finding ${crash:-(exit $status, see $log)}$pace"
  fi
done
echo "targets=${#targets[@]} findings=$findings slow=$slow execs=$total"
[ "$findings" -eq 0 ] && [ "$slow" -eq 0 ]
