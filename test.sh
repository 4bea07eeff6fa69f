#!/usr/bin/env bash
# Builds gamesift and runs every test. On a fresh Debian machine it first installs what is missing.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh

preset="${GAMESIFT_PRESET:-debug}"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
