#!/usr/bin/env bash
# Runs each fuzz target for a given time, two at a time, at the lowest priority. Not part of CI.
#   tools/fuzz.sh SECONDS [TARGET...]     targets: reader fen ecobase settingsfile numbers options
# Installs clang and its libFuzzer runtime when missing, builds build/fuzz, seeds each target's
# corpus from tests/data and ../shared/data/pgn (copied at run time, never committed), and leaves
# logs in build/fuzz/logs and any crash, hang or leak input in build/fuzz/found/TARGET/. Inputs
# found there belong in tests/data/fuzz/TARGET/, which the normal test build replays.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}"
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(reader fen ecobase settingsfile numbers options)
build=build/fuzz
shared="${GAMESIFT_SHARED_DATA:-../shared/data}/pgn"

tools/install-deps.sh clang libclang-rt-14-dev
CXX=clang++ cmake -S . -B "$build" -DGAMESIFT_FUZZ=ON -DGAMESIFT_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 19 cmake --build "$build" -j2 --target "${targets[@]/%/_fuzz}"

# The seeds of one target, in a fresh folder; the corpus the fuzzer grows is kept between runs.
seed() {
  local target="$1" seeds="$build/seeds/$1"
  rm -rf "$seeds"
  mkdir -p "$seeds" "$build/corpus/$target" "$build/found/$target" "$build/logs"
  [ -d "tests/data/fuzz/$target" ] && cp tests/data/fuzz/"$target"/* "$seeds"/ 2>/dev/null || true
  case "$target" in
    reader)
      cp tests/data/reader/* "$seeds"/
      # The first 4 KB of every real file: whole games of every kind, small enough to mutate.
      if [ -d "$shared" ]; then
        find "$shared" -name '*.pgn' | while read -r file; do
          head -c 4096 "$file" >"$seeds/$(basename "$(dirname "$file")")-$(basename "$file")"
        done
      fi ;;
    fen)
      grep -rhoa '\[FEN "[^"]*"' tests/data "$shared" 2>/dev/null | sed 's/^\[FEN "//; s/"$//' \
        | sort -u | head -500 | split -l 1 -a 4 - "$seeds/fen-" ;;
    ecobase)
      for base in build/*/plugins/ecos.dat; do
        if [ -f "$base" ]; then head -c 2200 "$base" >"$seeds/ecos-head"; break; fi
      done ;;
    numbers)
      for text in 2021.05.17 '????.??.??' 1999.??.?? 2400 0 0007 2147483647 2147483648 -5 12.31; do
        printf '%s' "$text" >"$seeds/$(printf '%s' "$text" | md5sum | cut -c1-8)"
      done ;;
  esac
}

run() {
  local target="$1" extra=()
  case "$target" in
    reader) extra=(-max_len=8192) ;;
    options) extra=(-close_fd_mask=3) ;;
  esac
  nice -n 19 "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$build/found/$target/" \
    "${extra[@]}" "$build/corpus/$target" "$build/seeds/$target" >"$build/logs/$target.log" 2>&1
  echo "$target: exit $? $(grep -a -m1 '^Done' "$build/logs/$target.log" || true)" \
       "found: $(ls "$build/found/$target" | wc -l)"
}

for target in "${targets[@]}"; do seed "$target"; done
running=0
for target in "${targets[@]}"; do
  run "$target" || true &
  running=$((running + 1))
  if [ "$running" -ge 2 ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait
