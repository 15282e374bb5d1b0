#!/usr/bin/env bash
# Fails when a tracked folder that holds files has no line of its own in the README's folder table, so
# that the table keeps naming every folder. A folder's `tests/` is covered by its parent's line: the
# README says once that each subsystem keeps its tests beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

# The folders the table names: every backquoted path in the first cell of a row of the table that
# follows the "## Folders" heading.
named=$(awk '/^## /{inside = ($0 == "## Folders"); next}
  inside && /^\| `/ {
    split($0, cells, "|"); cell = cells[2]
    while (match(cell, /`[^`]+`/)) { print substr(cell, RSTART + 1, RLENGTH - 2); cell = substr(cell, RSTART + RLENGTH) }
  }' README.md | sed 's|/*$||' | sort -u)

missing=$(git ls-files | grep / | sed 's|/[^/]*$||' | sort -u | sed 's|/tests$||' | sort -u | comm -23 - <(echo "$named"))
if [ -n "$missing" ]; then
  echo "check-folders: folders with no line in the README's folder table:" $missing >&2
  exit 1
fi
