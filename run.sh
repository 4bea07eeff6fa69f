#!/usr/bin/env bash
# Runs gamesift, first installing, building and generating whatever is missing.
#   ./run.sh           the example games of examples/: duplicates dropped, ECO codes filled in,
#                      one file per ECO letter in out/
#   ./run.sh ARGS...   gamesift ARGS... (see ./run.sh --help)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$here/build/release"
eco_lines=/usr/share/pgn-extract/eco.pgn

"$here/tools/install-deps.sh"

# Configure and build only the tool; the build is incremental, so this is quick when nothing changed.
(
  cd "$here"
  [ -f "$build/CMakeCache.txt" ] || cmake --preset release >/dev/null
  cmake --build --preset release --target gamesift -j "$(nproc)" >/dev/null
)

# The ECO base beside the program, where gamesift looks for it.
if [ ! -f "$build/plugins/ecos.dat" ] && [ -f "$eco_lines" ]; then
  mkdir -p "$build/plugins"
  "$build/gamesift" mkeco "$eco_lines" -o "$build/plugins/ecos.dat"
fi

if [ $# -gt 0 ]; then
  exec "$build/gamesift" "$@"
fi

mkdir -p "$here/out"
status=0
"$build/gamesift" "$here/examples" --drop-duplicates --add-eco --split-eco letter --replace \
  -o "$here/out/games" || status=$?
echo "The games went to $here/out/:"
ls -l "$here/out"
exit $status
