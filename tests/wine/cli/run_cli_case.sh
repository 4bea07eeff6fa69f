#!/bin/bash
# Runs one check of gamesift.exe under Wine: Windows paths, a Cyrillic folder for the program and
# for the games, and output compared byte for byte with what the native gamesift writes.
#   run_cli_case.sh --wine W --prefix P --exe gamesift.exe --eco-base ecos.dat --examples DIR
#                   --work DIR [--native gamesift] [--openings eco.pgn] CASE
set -u
native=
openings=
while [ $# -gt 1 ]; do
  case $1 in
    --wine) wine=$2 ;; --prefix) prefix=$2 ;; --exe) exe=$2 ;; --eco-base) eco_base=$2 ;;
    --examples) examples=$2 ;; --work) work=$2 ;; --native) native=$2 ;; --openings) openings=$2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done
case_name=${1:?which case}
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8
unset DISPLAY

rm -rf "$work"
program_dir=$work/программа
games=$work/партии
mkdir -p "$program_dir/plugins" "$games" || exit 2
cp "$exe" "$program_dir/gamesift.exe" && cp "$eco_base" "$program_dir/plugins/ecos.dat" || exit 2
cp "$examples"/*.pgn "$games/" || exit 2

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Unix path as Wine sees it through its Z: drive.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
# Runs the program; its status lands in $status, its streams in $work/out and $work/err.
run() {
  "$wine" "$program_dir/gamesift.exe" "$@" >"$work/out" 2>"$work/err" </dev/null
  status=$?
}
expect_status() {
  [ "$status" = "$1" ] || fail "$2: status $status, not $1; stderr: $(cat "$work/err")"
}
expect_in() {
  grep -qF -- "$2" "$work/$1" || fail "$1 lacks '$2': $(cat "$work/$1")"
}
# Every file of the native run's folder is in the Windows run's folder with the same bytes.
same_files() {
  local expected=$1 actual=$2 file
  [ "$(ls "$expected")" = "$(ls "$actual")" ] ||
    fail "files differ: native [$(ls "$expected" | tr '\n' ' ')] windows [$(ls "$actual" | tr '\n' ' ')]"
  for file in "$expected"/*; do
    cmp -s "$file" "$actual/$(basename "$file")" || fail "$(basename "$file") differs from the native one"
  done
}

karpov_1251=$'\xca\xe0\xf0\xef\xee\xe2'
# Two games in the form the writer gives them, so that a copy shows tags kept byte for byte.
names_pgn() {
  local white
  for white in "$karpov_1251" "Карпов"; do
    printf '[Event "?"]\r\n[Site "?"]\r\n[Date "????.??.??"]\r\n[Round "?"]\r\n'
    printf '[White "%s"]\r\n[Black "B"]\r\n[Result "1-0"]\r\n\r\n1.e4 1-0\r\n\r\n' "$white"
  done
}

case $case_name in
  usage)
    run --version
    expect_status 0 "--version"
    expect_in out "gamesift "
    expect_in out "(Windows"
    run --help
    expect_status 0 "--help"
    expect_in out "--name-codepage"
    run --bogus
    expect_status 2 "--bogus"
    expect_in err "(see gamesift --help)"
    ;;
  cyrillic_paths)
    # The ECO base is found beside the program, in a folder with a Cyrillic name.
    mkdir -p "$work/вывод"
    run "$(winpath "$games")" -o "$(winpath "$work/вывод")\\" --add-eco --split-eco letter \
      --drop-duplicates
    expect_status 0 "a folder of games"
    expect_in err "games written: 8"
    expect_in err "output files written: 4"
    if [ -n "$native" ]; then
      mkdir -p "$work/native"
      "$native" -q "$games" -o "$work/native/" --add-eco --split-eco letter --drop-duplicates \
        --eco-base "$eco_base" || fail "the native run failed"
      same_files "$work/native" "$work/вывод"
    fi
    ;;
  player_names)
    names_pgn >"$games/names.pgn"
    mkdir -p "$work/utf8" "$work/cp1251"
    # Under the prefix's ANSI code page only the UTF-8 spelling names the file readably.
    run -q "$(winpath "$games/names.pgn")" -o "$(winpath "$work/utf8")\\" --split-white
    expect_status 0 "split by White"
    [ -f "$work/utf8/games_white=Карпов.pgn" ] || fail "no games_white=Карпов.pgn: $(ls "$work/utf8")"
    run -q "$(winpath "$games/names.pgn")" -o "$(winpath "$work/cp1251")\\" --split-white \
      --name-codepage 1251
    expect_status 0 "split by White with --name-codepage 1251"
    [ "$(ls "$work/cp1251")" = "games_white=Карпов.pgn" ] ||
      fail "both spellings should share one file: $(ls "$work/cp1251")"
    cmp -s "$games/names.pgn" "$work/cp1251/games_white=Карпов.pgn" ||
      fail "the tags were not written byte for byte"
    run -q "$(winpath "$games/names.pgn")" --name-codepage 99999
    expect_status 2 "an unknown code page"
    ;;
  packed)
    # A gzip file and a zip archive, given by themselves and found in a folder, give the plain
    # file's bytes.
    mkdir -p "$work/plain" "$work/packed" "$work/folder" "$work/from_folder" "$work/zipped"
    gzip -c "$games/classics.pgn" >"$work/folder/classics.pgn.gz" || exit 2
    (cd "$games" && zip -q "$work/classics.zip" classics.pgn) || exit 2
    run --version
    expect_in out "packed inputs read: gzip, zip"
    run -q "$(winpath "$work/classics.zip")" -o "$(winpath "$work/zipped")\\"
    expect_status 0 "the zip archive"
    run -q "$(winpath "$games/classics.pgn")" -o "$(winpath "$work/plain")\\"
    expect_status 0 "the plain file"
    run -q "$(winpath "$work/folder/classics.pgn.gz")" -o "$(winpath "$work/packed")\\"
    expect_status 0 "the gzip file"
    same_files "$work/plain" "$work/packed"
    same_files "$work/plain" "$work/zipped"
    run -q "$(winpath "$work/folder")" -o "$(winpath "$work/from_folder")\\"
    expect_status 0 "a folder holding the gzip file"
    same_files "$work/plain" "$work/from_folder"
    ;;
  bad_input)
    run "$(winpath "$games/нет.pgn")" -o "$(winpath "$work")\\"
    expect_status 1 "a missing input"
    expect_in err "$(winpath "$games/нет.pgn"): no such file or folder"
    run "$(winpath "$games")" -o "$(winpath "$work/нет")\\x"
    expect_status 1 "a missing output folder"
    expect_in err "no such folder"
    ;;
  settings)
    mkdir -p "$work/direct" "$work/loaded"
    run --tags seven --strip-comments --split-result --save-settings "$(winpath "$work/настройки.dat")"
    expect_status 0 "--save-settings"
    run -q "$(winpath "$games")" -o "$(winpath "$work/direct")\\" --tags seven --strip-comments \
      --split-result
    expect_status 0 "options on the command line"
    run -q "$(winpath "$games")" -o "$(winpath "$work/loaded")\\" \
      --settings "$(winpath "$work/настройки.dat")"
    expect_status 0 "options from the settings file"
    same_files "$work/direct" "$work/loaded"
    ;;
  mkeco)
    [ -n "$openings" ] || { echo "no opening lines given" >&2; exit 2; }
    cp "$openings" "$games/дебюты.pgn"
    run -q mkeco "$(winpath "$games/дебюты.pgn")" -o "$(winpath "$work/ecos.dat")"
    expect_status 0 "mkeco"
    cmp -s "$eco_base" "$work/ecos.dat" || fail "the ECO base differs from the native one"
    ;;
  *) echo "unknown case $case_name" >&2; exit 2 ;;
esac
[ "$failures" = 0 ] && echo "PASS: $case_name"
[ "$failures" = 0 ]
