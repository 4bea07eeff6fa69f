#!/bin/bash
# Installs the plug-in as a user does, from the build's archive into an empty host folder, then
# starts the host stand-in there and fills ECO codes with the archive's gamesift.exe. Runs inside
# xvfb-run: the host opens windows.
#   install_from_archive.sh --wine W --wineserver S --prefix P --build DIR --host-exe E --work DIR
#                           [--cpack CPACK]
#                           [--native gamesift]
set -u
native=
cpack=cpack
while [ $# -gt 0 ]; do
  case $1 in
    --wine) wine=$2 ;; --wineserver) wineserver=$2 ;; --prefix) prefix=$2 ;; --build) build=$2 ;;
    --host-exe) host_exe=$2 ;; --work) work=$2 ;; --native) native=$2 ;; --cpack) cpack=$2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work/unpacked" "$work/Шахматы" || exit 2
(cd "$build" && "$cpack" -G ZIP -B "$work/archive" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; exit 2; }
archives=("$work"/archive/gamesift-*-windows-*.zip)
[ ${#archives[@]} = 1 ] && [ -f "${archives[0]}" ] || { echo "no archive made" >&2; exit 2; }
(cd "$work/unpacked" && cmake -E tar xf "${archives[0]}") || exit 2
top=("$work"/unpacked/*)
[ ${#top[@]} = 1 ] && [ -d "${top[0]}" ] || fail "the archive should hold one folder"

listing=$(cd "${top[0]}" && find . -type f | sort | tr '\n' ' ')
wanted="./README.txt ./gamesift.dll ./gamesift.exe ./images/party_bg.gif ./images/party_bg_d.gif \
./plugins/ecos.dat ./plugins/obzor_d.gif ./plugins/obzor_u.gif "
[ "$listing" = "$wanted" ] || fail "the archive holds [$listing], not [$wanted]"
grep -q $'\r$' "${top[0]}/README.txt" || fail "README.txt should have Windows line ends"

# The user's step: the archive's files into the folder of the host program.
host=$work/Шахматы
cp "$host_exe" "$host/" && cp -r "${top[0]}/." "$host/" || exit 2

# The host loads the plug-in from its folder and shows the panel with its pictures.
printf 'dump start menus\nmenu Партосев\nsleep 300\nstop\n' >"$work/script.txt"
mkdir -p "$work/dump"
"$wineserver" -k 2>/dev/null
timeout --kill-after=5 60 "$wine" "$host/vorlen-host.exe" --script "$(winpath "$work/script.txt")" \
  --dump-dir "$(winpath "$work/dump")" --dpi 96 || fail "the host ended with $?"
"$wineserver" -w
grep -q "Партосев" "$work/dump/start-menus.txt" 2>/dev/null ||
  fail "the installed plug-in added no menu item"
[ -f "$host/gamesift.dat" ] || fail "the installed plug-in wrote no settings after its panel showed"

# The archive's tool fills in ECO codes from the archive's ECO base, found beside it.
printf '[Event "?"]\r\n[White "A"]\r\n[Black "B"]\r\n[Result "*"]\r\n\r\n1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 *\r\n' \
  >"$work/game.pgn"
mkdir -p "$work/out"
"$wine" "$host/gamesift.exe" -q "$(winpath "$work/game.pgn")" --add-eco \
  -o "$(winpath "$work/out")\\" </dev/null || fail "gamesift.exe --add-eco ended with $?"
grep -q '^\[ECO "C[0-9][0-9]"\]' "$work/out/games.pgn" 2>/dev/null ||
  fail "no ECO code filled in: $(cat "$work/out/games.pgn" 2>/dev/null)"
if [ -n "$native" ]; then
  mkdir -p "$work/native"
  "$native" -q "$work/game.pgn" --add-eco --eco-base "$host/plugins/ecos.dat" -o "$work/native/"
  cmp -s "$work/native/games.pgn" "$work/out/games.pgn" || fail "the code differs from the native tool's"
fi
[ "$failures" = 0 ] && echo "PASS: installed from ${archives[0]##*/}"
[ "$failures" = 0 ]
