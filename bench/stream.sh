#!/usr/bin/env bash
# Streams the shared games repeated COPIES times (default 40, about 1.3 GB) through a pipe into
# gamesift with --drop-duplicates, and prints the wall time, the peak memory, the bytes piped and
# the games kept, beside the games one copy keeps: the peak must not grow with the copies, and the
# kept count must be one copy's.
#   bench/stream.sh [COPIES] [PGN-FILE]   default file: players/ and twic/ of ../shared/data/pgn
#   GAMESIFT=PROGRAM bench/stream.sh      times that program instead of building this one
set -euo pipefail
copies="${1:-40}"
source "$(dirname "$0")/common.sh"
in="$(input_file "${2:-}")"

"$gamesift" -q "$in" --drop-duplicates -o "$work/once" 2>/dev/null || true
once=$(grep -c '^\[Event ' "$work/once.pgn" || true)
bytes=$(($(stat -c %s "$in") * copies))
# Each copy begins on a line of its own, as files joined by hand would.
repeat() { for _ in $(seq "$copies"); do cat "$in"; echo; done; }
repeat | /usr/bin/time -o "$work/time" -f '%e %M' "$gamesift" -q - --drop-duplicates \
  -o "$work/all" 2>/dev/null || true
read -r seconds kb <"$work/time"
kept=$(grep -c '^\[Event ' "$work/all.pgn" || true)
printf '%d copies, %d MB piped: %.2fs, peak %d MB, %d games kept (one copy keeps %d)\n' \
  "$copies" $((bytes / 1048576)) "$seconds" $((kb / 1024)) "$kept" "$once"
