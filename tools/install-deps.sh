#!/usr/bin/env bash
# Installs with apt-get what building and testing gamesift needs and is not installed yet, plus
# any packages named as arguments. Does nothing (and asks for nothing) when all are there.
#   --windows  also the MinGW-w64 cross compilers for the plug-in DLL and what its Wine scenarios
#              need (Wine, a virtual X server, ImageMagick for the panel pictures and screenshots)
set -euo pipefail

windows_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev wine64 xvfb xauth
                  imagemagick)
# The packed-input libraries are optional to the build, but a full build reads every packing; the
# tools write the packed files the tests read.
packages=(g++ cmake make pkg-config libgtest-dev libbenchmark-dev pgn-extract libcli11-dev
          zlib1g-dev libbz2-dev liblzma-dev libzstd-dev libarchive-dev
          gzip bzip2 xz-utils zstd zip)
for arg in "$@"; do
  if [ "$arg" = "--windows" ]; then
    packages+=("${windows_packages[@]}")
  else
    packages+=("$arg")
  fi
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing ${missing[*]}" >&2
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
$sudo_cmd apt-get update -qq >&2
# On stderr: ./run.sh may be writing games to standard output.
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >&2
