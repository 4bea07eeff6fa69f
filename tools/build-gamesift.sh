#!/usr/bin/env bash
# Makes sure build/release/gamesift and its ECO base exist and are up to date, installing what is
# missing first (extra arguments name more packages to install). Prints nothing when all is there.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build/release"
eco_lines=/usr/share/pgn-extract/eco.pgn

"$here/tools/install-deps.sh" "$@"

# Only the tool is built; the build is incremental, so this is quick when nothing changed.
cd "$here"
cmake --preset release >/dev/null
cmake --build --preset release --target gamesift -j "$(nproc)" >/dev/null

# The ECO base beside the program, where gamesift looks for it.
if [ ! -f "$build/plugins/ecos.dat" ] && [ -f "$eco_lines" ]; then
  mkdir -p "$build/plugins"
  "$build/gamesift" mkeco "$eco_lines" -o "$build/plugins/ecos.dat"
fi
