#!/usr/bin/env bash
# Builds the Qt-free tests whose code starts threads (common_test: the background task and the
# conversions; engine_test: the matching sweep's helper, the table builds, the checks and the
# context reading; jobs_test: whole ruby jobs) and mirukaze-cli with ThreadSanitizer (clang),
# runs those tests, then the command-line tool on a few megabytes of text in UTF-8 and in
# Shift_JIS, reading by the dictionary alone and in context. Any report fails the run.
#   bash scripts/tsan.sh          (build folder: build-tsan, or $TSAN_BUILD_DIR)
# The default dictionaries are made with $MIRUKAZE_CLI when it is set (a plain build is
# quicker at it), else with the ThreadSanitizer build itself.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TSAN_BUILD_DIR:-$root/build-tsan}"
jobs="$(nproc)"

bash "$root/scripts/install-missing.sh" tsan clang libclang-rt-dev cmake ccache libicu-dev >&2

mkdir -p "$build"
CXX=clang++ cmake -S "$root" -B "$build" -DMIRUKAZE_GUI=OFF -DMIRUKAZE_TESTS=ON \
  -DMIRUKAZE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS=-fsanitize=thread -fno-omit-frame-pointer" \
  >"$build/configure.log" 2>&1 || { cat "$build/configure.log" >&2; exit 2; }
tests=(common_test engine_test jobs_test)
cmake --build "$build" -j "$jobs" --target "${tests[@]}" mirukaze-cli >"$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log" >&2; exit 2; }

# A report ends the process with status 66 at once; its text goes to $build/tsan.*.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 log_path=$build/tsan"
rm -f "$build"/tsan.*
report() {  # report LOG WHAT COMMAND...: runs COMMAND with its output in LOG
  local log="$1" what="$2"
  shift 2
  local status=0
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ] || compgen -G "$build/tsan.*" >/dev/null; then
    echo "tsan: $what: FAILED (exit $status, see $log)" >&2
    cat "$build"/tsan.* >&2 2>/dev/null || true
    exit 1
  fi
  echo "tsan: $what: clean"
}

for test in "${tests[@]}"; do
  binary="$(find "$build/tests" -type f -name "$test" -perm -u+x | head -1)"
  report "$build/$test.log" "$test" "$binary" --gtest_brief=1
done

# The command-line tool on a few megabytes, in both encodings and both readings.
cli="$build/cli/mirukaze-cli"
work="$build/cli-run"
rm -rf "$work"
mkdir -p "$work/home"
maker="${MIRUKAZE_CLI:-$cli}"
report "$work/make.log" "make-default-dic" "$maker" --home "$work/home" --no make-default-dic
for i in $(seq 40); do cat "$root/tests/data/dicgen/everyday.txt"; done >"$work/utf8.txt"
iconv -f UTF-8 -t CP932 "$work/utf8.txt" >"$work/sjis.txt"
for text in utf8 sjis; do
  for reading in dictionary context; do
    cp "$work/$text.txt" "$work/$text-$reading.txt"
    report "$work/$text-$reading.log" \
      "ruby --reading $reading ($text, $(wc -c <"$work/$text.txt") bytes)" \
      "$cli" --home "$work/home" --no ruby --reading "$reading" "$work/$text-$reading.txt"
  done
done
