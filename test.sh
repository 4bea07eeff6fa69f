#!/usr/bin/env bash
# Builds gamesift and runs every test. On a fresh Debian machine it first installs what is missing.
# Besides the native build it cross-builds the plug-in DLL and gamesift.exe for 32- and 64-bit
# Windows (after the native build, whose gamesift makes their ECO base), packs one archive for
# each, and runs the checks of the 64-bit build (its Wine scenarios among them), unless
# GAMESIFT_WINDOWS=0 or the MinGW-w64 compilers cannot be had. It then runs the native tests again
# under the address and undefined-behaviour sanitizers (preset asan) and the job and pipeline tests
# under the thread sanitizer (preset tsan), unless GAMESIFT_SANITIZERS=0.
# The large-input tests (ctest label "large": a file past 2 GiB, a million games) take minutes in
# a debug build and run only in the release preset: GAMESIFT_PRESET=release ./test.sh.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh
windows="${GAMESIFT_WINDOWS:-1}"
if [ "$windows" != 0 ]; then
  # The native build and its tests must not depend on the Windows tools being installable.
  tools/install-deps.sh --windows || echo "test.sh: the Windows tools could not be installed" >&2
  command -v x86_64-w64-mingw32-g++ >/dev/null && command -v i686-w64-mingw32-g++ >/dev/null \
    || windows=0
fi

jobs="$(nproc)"
preset="${GAMESIFT_PRESET:-debug}"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$jobs"
if [ "$windows" != 0 ]; then
  for cross in mingw-i686 mingw-x64; do
    cmake --preset "$cross" -DGAMESIFT_NATIVE_TOOL="$PWD/build/$preset/gamesift"
    cmake --build --preset "$cross" -j "$jobs"
    # The archive a user installs from: build/$cross/gamesift-VERSION-windows-ARCH.zip.
    cmake --build --preset "$cross" --target package
  done
else
  echo "test.sh: MinGW-w64 is missing, the plug-in DLL is not built" >&2
fi

ctest --preset "$preset" -j "$jobs"
if [ "$windows" != 0 ]; then
  # A scenario drives real windows through posted messages; on a heavily loaded machine one of
  # them can still lose a race with Wine, so each failing scenario gets one more try.
  ctest --preset mingw-x64 --repeat until-pass:2
fi

if [ "${GAMESIFT_SANITIZERS:-1}" != 0 ]; then
  cmake --preset asan
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
  cmake --preset tsan
  cmake --build --preset tsan -j "$jobs"
  # The thread sanitizer's runtime cannot map its shadow memory under some kernels' address
  # randomisation; running without it is the known remedy.
  norandom=()
  command -v setarch >/dev/null && norandom=(setarch "$(uname -m)" -R)
  "${norandom[@]}" ctest --preset tsan -j "$jobs"
fi
