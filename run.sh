#!/usr/bin/env bash
# Runs gamesift, first installing, building and generating whatever is missing.
#   ./run.sh           the example games of examples/: duplicates dropped, ECO codes filled in,
#                      one file per ECO letter in out/
#   ./run.sh ARGS...   gamesift ARGS... (see ./run.sh --help)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
gamesift="$here/build/release/gamesift"

"$here/tools/build-gamesift.sh"

if [ $# -gt 0 ]; then
  exec "$gamesift" "$@"
fi

mkdir -p "$here/out"
status=0
"$gamesift" "$here/examples" --drop-duplicates --add-eco --split-eco letter --replace \
  -o "$here/out/games" || status=$?
echo "The games went to $here/out/:"
ls -l "$here/out"
exit $status
