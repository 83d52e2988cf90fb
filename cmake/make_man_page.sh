#!/usr/bin/env bash
# Writes the manual page of mirukaze-cli from its own help, so the two never disagree:
#   make_man_page.sh MIRUKAZE_CLI VERSION OUTPUT
set -euo pipefail

cli="$1"
version="$2"
output="$3"

# Help text as roff: backslashes escaped, a line starting with '.' or "'" kept as text.
roff() { sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }

{
  echo ".TH MIRUKAZE-CLI 1 \"\" \"mirukaze $version\" \"User Commands\""
  echo ".SH NAME"
  echo "mirukaze-cli \\- give Japanese texts furigana (ruby) from the command line"
  echo ".SH SYNOPSIS"
  echo ".B mirukaze-cli"
  echo "[GLOBAL OPTIONS] COMMAND [OPTIONS] ARGS..."
  echo ".SH DESCRIPTION"
  echo ".nf"
  "$cli" --help | roff
  echo ".fi"
  echo ".SH COMMANDS"
  # The command names stand in the help's command list, two spaces in.
  "$cli" --help | sed -n '/^Commands:/,/^$/p' | sed -n 's/^  \([a-z-]*\) .*/\1/p' |
    while read -r command; do
      echo ".SS $command"
      echo ".nf"
      "$cli" "$command" --help | roff
      echo ".fi"
    done
  echo ".SH SEE ALSO"
  echo ".BR mirukaze (1)"
} >"$output"
