#!/usr/bin/env bash
# Times gamesift against pgn-extract doing the same work on the same games, and prints for each
# task both wall times (best of RUNS, default 3), their ratio and both peak memories.
#   bench/compare.sh [PGN...]   default: the real games of ../shared/data/pgn, players/ and twic/
# The inputs are concatenated into one temporary file; nothing is written into the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
gamesift="$here/build/release/gamesift"
extract=/usr/games/pgn-extract
eco_lines=/usr/share/pgn-extract/eco.pgn
runs="${RUNS:-3}"

"$here/tools/build-gamesift.sh" time

if [ $# -eq 0 ]; then
  data="${GAMESIFT_SHARED_DATA:-$here/../shared/data}/pgn"
  set -- "$data"/players/*.pgn "$data"/twic/*.pgn
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat "$@" >"$work/input.pgn"
echo "input: $# files, $(du -h "$work/input.pgn" | cut -f1), $(grep -c '^\[Event ' "$work/input.pgn") games"

# Runs a command RUNS times in a fresh folder; prints "best-seconds peak-KB".
measure() {
  local best="" peak=0 seconds kb
  for _ in $(seq "$runs"); do
    rm -rf "$work/out" && mkdir "$work/out"
    # pgn-extract counts games on stderr even when silent: the figures go to a file of their own.
    (cd "$work/out" && /usr/bin/time -o "$work/time" -f '%e %M' "$@" >/dev/null 2>&1) || true
    read -r seconds kb <"$work/time"
    if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
    [ "$kb" -gt "$peak" ] && peak=$kb
  done
  echo "$best $peak"
}

games_out() {
  cat "$work"/out/*.pgn 2>/dev/null | grep -c '^\[Event ' || true
}

compare() {
  local task="$1" ours theirs ours_games theirs_games
  shift
  local split=("$@")
  local at=0
  for i in "${!split[@]}"; do [ "${split[$i]}" = "--" ] && at=$i; done
  ours="$(measure "${split[@]:0:$at}")"
  ours_games="$(games_out)"
  theirs="$(measure "${split[@]:$((at + 1))}")"
  theirs_games="$(games_out)"
  read -r ot om <<<"$ours"
  read -r tt tm <<<"$theirs"
  printf '%-30s gamesift %6.2fs %7d KB %6s games | pgn-extract %6.2fs %7d KB %6s games | ratio %5.2f\n' \
    "$task" "$ot" "$om" "$ours_games" "$tt" "$tm" "$theirs_games" \
    "$(awk "BEGIN{print ($tt > 0 ? $ot / $tt : 0)}")"
}

in="$work/input.pgn"
compare "read, check, write" \
  "$gamesift" -q "$in" -o games -- "$extract" -s -ogames.pgn "$in"
compare "drop duplicates" \
  "$gamesift" -q --drop-duplicates "$in" -o games -- "$extract" -s -D -ogames.pgn "$in"
compare "classify ECO" \
  "$gamesift" -q --add-eco "$in" -o games -- "$extract" -s -e"$eco_lines" -ogames.pgn "$in"
compare "classify ECO, split by letter" \
  "$gamesift" -q --add-eco --split-eco letter "$in" -o games -- "$extract" -s -e"$eco_lines" -E1 "$in"
echo "ratio: gamesift's time over pgn-extract's (below 1: gamesift is faster)"
