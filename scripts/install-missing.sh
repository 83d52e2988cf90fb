#!/usr/bin/env bash
# Installs those of the given Debian packages that are not installed yet: apt-get update first,
# then one apt-get install; nothing at all when every package is there. The first argument names
# the caller in what is printed.
#   bash scripts/install-missing.sh NAME PACKAGE...
set -euo pipefail

name="$1"
shift

missing=()
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "$name: everything is installed"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

echo "$name: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
  "${missing[@]}"
