#!/usr/bin/env bash
# Builds gamesift and runs every test. On a fresh Debian machine it first installs what is missing.
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake make libgtest-dev libbenchmark-dev pgn-extract libcli11-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "test.sh: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

preset="${GAMESIFT_PRESET:-debug}"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
