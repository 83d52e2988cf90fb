#!/bin/sh
# Installed as bin/mirukaze and bin/mirukaze-cli: starts the program of the same name from
# ../lib/mirukaze, the program folder that holds it, dic/ and help/.
#
# Where that folder is writable (an install under the user's own prefix) it is the program
# folder itself. A system-wide install is read-only for users, so there each user gets a program
# folder of their own, $XDG_DATA_HOME/mirukaze (~/.local/share/mirukaze): its dic/ links to the
# installed dictionaries, and a dictionary the user builds replaces its link with a file of the
# user's own; the settings file qelvoVR11.ini is written there. --home always wins.
set -eu

name="$(basename "$0")"
installed="$(cd "$(dirname "$(readlink -f "$0")")/../lib/mirukaze" && pwd)"
program="$installed/$name"

for argument in "$@"; do
  case "$argument" in
    --) break ;;
    --home | --home=*) exec "$program" "$@" ;;
  esac
done
if [ -w "$installed" ]; then exec "$program" "$@"; fi

home="${XDG_DATA_HOME:-$HOME/.local/share}/mirukaze"
mkdir -p "$home/dic"
for entry in "$installed"/dic/* "$installed"/help; do
  [ -e "$entry" ] || continue
  case "$entry" in
    */help) target="$home/help" ;;
    *) target="$home/dic/$(basename "$entry")" ;;
  esac
  # A file of the user's own, or a link the user removed on purpose, is left alone: only names
  # that do not exist at all are linked.
  if [ ! -e "$target" ] && [ ! -L "$target" ]; then ln -s "$entry" "$target"; fi
done
exec "$program" --home "$home" "$@"
