#!/usr/bin/env bash
# The real mirukaze binary, started twice for one user: the second copy hands its file to the
# first through the socket beside the lock, ends with status 1 and says nothing; once the first
# has ended, a new copy starts again.
#   single_instance_test.sh MIRUKAZE
set -euo pipefail

program="$1"
scratch="$(mktemp -d)"
first=""
trap 'if [ -n "$first" ]; then kill "$first" 2>/dev/null || true; fi; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_RUNTIME_DIR" "$scratch/home"
chmod 700 "$XDG_RUNTIME_DIR"

"$program" --home "$scratch/home" >"$scratch/first.out" 2>&1 &
first=$!
# The lock is taken before anything else; give the first copy time to reach its window.
for _ in $(seq 50); do
  [ -e "$XDG_RUNTIME_DIR/TesmaroVR11.lock" ] && break
  sleep 0.1
done
sleep 0.5
kill -0 "$first" 2>/dev/null || fail "the first copy did not keep running: $(cat "$scratch/first.out")"

[ -S "$XDG_RUNTIME_DIR/TesmaroVR11.socket" ] || fail "the first copy has no socket beside its lock"

printf 'story\r\n' >"$scratch/物語.txt"
for file in "" "$scratch/物語.txt"; do
  status=0
  timeout 10 "$program" --home "$scratch/home" $file >"$scratch/second.out" 2>&1 || status=$?
  [ "$status" -eq 1 ] || fail "the second copy exited with $status, not 1"
  [ ! -s "$scratch/second.out" ] || fail "the second copy said: $(cat "$scratch/second.out")"
done
kill -0 "$first" 2>/dev/null || fail "the first copy did not outlive the hand-over"

kill "$first"
wait "$first" 2>/dev/null || true
first=""
status=0
timeout 2 "$program" --home "$scratch/home" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "after the first copy ended, a new copy exited with $status"
echo "single instance: ok"
