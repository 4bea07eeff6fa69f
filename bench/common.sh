# Sourced by the whole-program benchmarks: the program to time (built here unless GAMESIFT names
# another), the shared games, and a temporary folder removed at the end.
here="$(cd "$(dirname "$0")/.." && pwd)"
gamesift="${GAMESIFT:-$here/build/release/gamesift}"
data="${GAMESIFT_SHARED_DATA:-$here/../shared/data}/pgn"

[ -n "${GAMESIFT:-}" ] || "$here/tools/build-gamesift.sh" time
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The given file, or players/ and twic/ of the shared games joined into one.
input_file() {
  if [ -n "${1:-}" ]; then
    echo "$1"
  else
    cat "$data"/players/*.pgn "$data"/twic/*.pgn >"$work/games.pgn"
    echo "$work/games.pgn"
  fi
}
