#!/usr/bin/env bash
# Times gamesift reading the same games plain and packed by each tool, and prints for each
# packing the wall time (best of RUNS, default 3), the peak memory, the games written and the time
# over the plain file's (1.15: 15% slower).
#   bench/packed.sh [PGN-FILE]          default: players/ and twic/ of ../shared/data/pgn joined
#   GAMESIFT=PROGRAM bench/packed.sh    times that program instead of building this one
# The packed files are made in a temporary folder; nothing is written into the repository.
set -euo pipefail
runs="${RUNS:-3}"
source "$(dirname "$0")/common.sh"
in="$(input_file "${1:-}")"
echo "input: $(du -h "$in" | cut -f1), $(grep -c '^\[Event ' "$in") games, best of $runs runs"

# Runs gamesift on the input RUNS times; prints "best-seconds peak-KB games".
measure() {
  local best="" peak=0 seconds kb
  for _ in $(seq "$runs"); do
    /usr/bin/time -o "$work/time" -f '%e %M' "$gamesift" -q "$1" -o - >"$work/out.pgn" 2>/dev/null \
      || true
    read -r seconds kb <"$work/time"
    if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
    [ "$kb" -gt "$peak" ] && peak=$kb
  done
  echo "$best $peak $(grep -c '^\[Event ' "$work/out.pgn" || true)"
}

read -r plain_time plain_kb plain_games <<<"$(measure "$in")"
printf '%-6s %7.2fs %8d KB %7s games\n' plain "$plain_time" "$plain_kb" "$plain_games"
version="$("$gamesift" --version)"
for packing in gzip bzip2 xz zstd zip; do
  case "$version" in *"$packing"*) ;; *) echo "$packing: not read by this build"; continue ;; esac
  case $packing in
    gzip) packed="$work/p.pgn.gz" && gzip -c "$in" >"$packed" ;;
    bzip2) packed="$work/p.pgn.bz2" && bzip2 -c "$in" >"$packed" ;;
    xz) packed="$work/p.pgn.xz" && xz -T0 -c "$in" >"$packed" ;;
    zstd) packed="$work/p.pgn.zst" && zstd -q -c "$in" >"$packed" ;;
    zip) packed="$work/p.zip" && (cd "$(dirname "$in")" && zip -q "$packed" "$(basename "$in")") ;;
  esac
  read -r t kb games <<<"$(measure "$packed")"
  printf '%-6s %7.2fs %8d KB %7s games %5.2fx plain time, %s packed\n' "$packing" "$t" "$kb" \
    "$games" "$(awk "BEGIN{print ($plain_time > 0 ? $t / $plain_time : 0)}")" \
    "$(du -h "$packed" | cut -f1)"
  rm -f "$packed"
done
