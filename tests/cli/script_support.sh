# What the scripts that test the real mirukaze-cli binary share, sourced by them: a scratch
# folder removed on exit, an empty program folder in it, and checks that end the script with a
# message on the first failure.
# The sourcing script sets `cli` first.
set -euo pipefail

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
home="$scratch/home"  # the program folder, with an empty dic/
mkdir -p "$home/dic"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# expect STATUS COMMAND...: runs COMMAND (killed after 60 s, which shows as 124) with no
# terminal on stdin; stdout and stderr are kept in $scratch/out and $scratch/err.
expect() {
  local want="$1" got=0
  shift
  timeout 60 "$@" >"$scratch/out" 2>"$scratch/err" </dev/null || got=$?
  [ "$got" -eq "$want" ] || fail "'$*' exited with $got, not $want: $(cat "$scratch/err")"
}
stderr_has() { grep -qF -- "$1" "$scratch/err" || fail "stderr lacks '$1': $(cat "$scratch/err")"; }
