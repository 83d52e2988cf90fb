#!/usr/bin/env bash
# The texts every message catalogue shows a user are written for the person reading them: no
# name of a variable, a buffer or a step of the code, no English error of a C library, no debug
# dump. Each rule is a pattern, ' ## ' and the reason it marks such a text; the build report's
# own line marks (errnum) are a file's content and are not looked at.
#   bash message_wording_test.sh SOURCE_ROOT
set -uo pipefail
root="${1:?source root}"
mapfile -t catalogues < <(find "$root" -name messages.h -not -path '*/build*' | sort)
[ "${#catalogues[@]}" -gt 5 ] || { echo "no message catalogues under $root"; exit 1; }

rules=(
  '<in [a-z_ ]*> ## a step of the code named in angle brackets'
  'ji_ku ## a variable name'
  '[A-Za-z_]+ *＝＝ ## a field name with a double equals sign'
  '[A-Za-z]+_  ## a buffer name'
  "Can't ## an English error text"
  '[Ff]ailed ## an English error text'
  'Lack of ## an English error text'
  'Memory ## an English word for memory'
  '[A-Za-z]= % ## a debug dump of values'
  'Ｏｐｅｎ|Open ## a program word for opening a file'
  'HDIC|KDIC ## an internal part name of a dictionary'
  'after , ## an English word in a Japanese text'
  'Schrink ## a misspelt English title'
)
faults=0
for rule in "${rules[@]}"; do
  pattern="${rule%% ## *}"
  why="${rule#* ## }"
  # Only string literals, and not the report's line marks or lines that are comments.
  hits="$(grep -nE '"[^"]*('"$pattern"')[^"]*"' "${catalogues[@]}" | grep -v 'errnum' |
          grep -vE '^[^:]+:[0-9]+: *//' | grep -vE 'kProgramName|Usage|Exit status')"
  if [ -n "$hits" ]; then
    echo "== $why ($pattern):"
    echo "$hits"
    faults=$((faults + 1))
  fi
done
[ "$faults" -eq 0 ] || { echo "$faults rules broken"; exit 1; }
echo "checked ${#catalogues[@]} catalogues against ${#rules[@]} rules"
