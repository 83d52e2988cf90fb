#!/usr/bin/env bash
# Checks the floors of docs/architecture.md against the code: every folder of the program is on
# a floor and has a README, a file includes headers of its own folder and of lower floors only,
# and no folder below the Qt line includes Qt. Tests, benchmarks and fuzz targets stand outside the floors.
#   bash scripts/check-floors.sh     (exit 1 and one line per fault when the two disagree)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# The floors block of the architecture page: "FLOOR  folder...", lowest first; "qt" after a floor
# number marks the floors that may use Qt.
floors="$(awk '/^```floors$/{on=1; next} /^```$/{on=0} on && NF' docs/architecture.md)"
[ -n "$floors" ] || { echo "check-floors: no floors block in docs/architecture.md" >&2; exit 2; }

status=0
for folder in $(printf '%s\n' "$floors" | awk '{for (i = ($2 == "qt") ? 3 : 2; i <= NF; i++) print $i}'); do
  [ -f "$folder/README.md" ] || { echo "$folder: no README.md saying what lives there"; status=1; }
done

sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files '*.cpp' '*.h' '*.h.in'
  else
    find . -name 'build*' -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' \) -print |
      sed 's#^\./##'
  fi
}

sources | grep -v -E '^(tests|bench|fuzz)/' |
awk -v floors="$floors" '
  BEGIN {
    n = split(floors, rows, "\n")
    for (i = 1; i <= n; i++) {
      k = split(rows[i], f, /[ \t]+/)
      qt = (f[2] == "qt")
      for (j = qt ? 3 : 2; j <= k; j++) { level[f[j]] = f[1]; usesqt[f[j]] = qt }
    }
  }
  function dir(path) { sub(/\/[^\/]*$/, "", path); return path }
  {
    file = $0; d = dir(file)
    if (!(d in level)) { print file ": folder " d " is on no floor"; bad = 1; next }
    while ((getline line < file) > 0) {
      if (line ~ /^#include "[^"]*\/[^"]*"/) {
        inc = line; sub(/^#include "/, "", inc); sub(/".*/, "", inc); t = dir(inc)
        if (t == d) continue
        if (!(t in level)) { print file ": includes " inc " from a folder on no floor"; bad = 1 }
        else if (level[t] + 0 >= level[d] + 0) {
          print file ": includes " inc " (floor " level[t] ") from floor " level[d]; bad = 1
        }
      } else if (line ~ /^#include <Q/ && !usesqt[d]) {
        print file ": includes Qt below the Qt line"; bad = 1
      }
    }
    close(file)
  }
  END { exit bad }' || status=1
exit "$status"
