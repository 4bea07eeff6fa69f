#!/usr/bin/env bash
# Times gamesift against pgn-extract doing the same work on the same games, and prints for each
# task both wall times (best of RUNS, default 3), the games each wrote, both peak memories and the
# ratio of pgn-extract's time over gamesift's (above 1: gamesift is faster).
#   bench/compare.sh [PGN-FILE-OR-FOLDER...]   default: players/ and twic/ of ../shared/data/pgn
#   bench/compare.sh --make MB FILE [FOLDER...] builds FILE of about MB megabytes by repeating the
#                                              shared games of the FOLDERs (players twic annotated)
#   GAMESIFT=PROGRAM bench/compare.sh ...       times that program (another build, with its ECO
#                                              base beside it) instead of building this one
#   PGN_BENCH=PROGRAM bench/compare.sh ...      the benchmark program whose one-thread load of the
#                                              same input is printed last (default: this build's)
# The inputs are concatenated into one temporary file; nothing is written into the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
gamesift="${GAMESIFT:-$here/build/release/gamesift}"
extract=/usr/games/pgn-extract
eco_lines=/usr/share/pgn-extract/eco.pgn
runs="${RUNS:-3}"
data="${GAMESIFT_SHARED_DATA:-$here/../shared/data}/pgn"

# Repeats the collection until the target holds at least the asked number of megabytes.
make_collection() {
  local megabytes="$1" target="$2" round=0 folder
  shift 2
  [ $# -eq 0 ] && set -- players twic annotated
  local files=()
  for folder in "$@"; do files+=("$data/$folder"/*.pgn); done
  : >"$target"
  while [ "$(stat -c %s "$target")" -lt $((megabytes * 1024 * 1024)) ]; do
    cat "${files[@]}" >>"$target"
    round=$((round + 1))
  done
  echo "$target: $round rounds, $(du -h "$target" | cut -f1), $(grep -c '^\[Event ' "$target") games"
}

if [ "${1:-}" = "--make" ]; then
  [ $# -ge 3 ] || { echo "usage: $0 --make MB FILE [FOLDER...]" >&2; exit 2; }
  shift
  make_collection "$@"
  exit 0
fi

bench="${PGN_BENCH:-$here/build/release/bench/pgn_bench}"
if [ -z "${GAMESIFT:-}" ]; then
  "$here/tools/build-gamesift.sh" time
  # Without Google Benchmark there is no such target: the load figure is then left out.
  [ -n "${PGN_BENCH:-}" ] || cmake --build --preset release --target pgn_bench -j "$(nproc)" \
    >/dev/null 2>&1 || true
fi

[ $# -eq 0 ] && set -- "$data"/players "$data"/twic
# A folder stands for its *.pgn files in name order, as gamesift reads a folder.
inputs=()
for given in "$@"; do
  if [ -d "$given" ]; then
    while IFS= read -r -d '' file; do inputs+=("$file"); done \
      < <(find "$given" -maxdepth 1 -type f -iname '*.pgn' -print0 | sort -z)
  else
    inputs+=("$given")
  fi
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# One input file is used where it lies: copying gigabytes would measure the copy.
if [ "${#inputs[@]}" -eq 1 ]; then
  in="${inputs[0]}"
else
  in="$work/input.pgn"
  cat "${inputs[@]}" >"$in"
fi
input_bytes="$(stat -c %s "$in")"
echo "input: ${#inputs[@]} files, $(du -h "$in" | cut -f1), $(grep -c '^\[Event ' "$in") games," \
  "best of $runs runs"

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
  printf '%-26s gamesift %7.2fs %8d KB %7s games %6.0f games/s %4.2fx input | ' \
    "$task" "$ot" "$om" "$ours_games" "$(awk "BEGIN{print ($ot > 0 ? $ours_games / $ot : 0)}")" \
    "$(awk "BEGIN{print $om * 1024 / $input_bytes}")"
  printf 'pgn-extract %7.2fs %8d KB %7s games | ratio %5.2f\n' "$tt" "$tm" "$theirs_games" \
    "$(awk "BEGIN{print ($ot > 0 ? $tt / $ot : 0)}")"
}

compare "read, check, write" \
  "$gamesift" -q "$in" -o games -- "$extract" -s -ogames.pgn "$in"
compare "drop duplicates" \
  "$gamesift" -q --drop-duplicates "$in" -o games -- "$extract" -s -D -ogames.pgn "$in"
compare "ECO, split by letter" \
  "$gamesift" -q --add-eco --split-eco letter "$in" -o games -- \
  "$extract" -s -e"$eco_lines" -E1 "$in"
echo "ratio: pgn-extract's time over gamesift's (above 1: gamesift is faster)"

# The engine's load alone on one thread: every game read, every move checked, every tree built.
if [ -x "$bench" ]; then
  best=0
  for _ in $(seq "$runs"); do
    rate="$(GAMESIFT_BENCH_FILE="$in" "$bench" --benchmark_filter='^BM_LoadCollection/1/' \
      2>/dev/null | sed -n 's/.*games\/s=\([0-9.]*\)k\/s.*/\1/p')"
    [ -n "$rate" ] && awk "BEGIN{exit !($rate > $best)}" && best=$rate
  done
  printf 'one-thread load (BM_LoadCollection/1) %6.1fk games/s, best of %d\n' "$best" "$runs"
else
  echo "one-thread load: no benchmark program at $bench (Google Benchmark missing?)"
fi
