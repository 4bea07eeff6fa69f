#!/bin/bash
# Runs one scenario of the plug-in in vorlen-host.exe under Wine and checks what it left behind.
# Started by ctest inside xvfb-run, so Wine, reg and import all share one X display.
#
# A scenario is a folder: script.txt (or script1.txt, script2.txt, ... run one after another in
# the same host folder), optionally host/ (files put into the host folder first, after the shared
# data folder) and expected/
# (files compared exactly with what the run produced). A script whose first line is "#! ARGS"
# passes ARGS to the host. After each step N the driver decodes gamesift.dat into settings-N.txt
# (placement, output path, auto reset) and options-N.txt (the batch options), and notes in
# settings-changes.txt whether the step created, changed or kept it; logs the run left in the
# host folder (*.log) are copied beside the dumps.
#
# A scenario's helper.sh runs beside the host, from before the first step to after the last, with
# the host and dump folders: it holds a job where the scenario needs it (a FIFO it feeds only when
# the script has got there) and says it is set up by creating helper.ready in the dump folder.
#
# Files the plug-in wrote into the host folder's out/ are copied beside the dumps as out-NAME. A
# scenario with cli.txt (line 1: options, line 2: inputs in the host folder, line 3 optionally
# "pages") must agree with the native command-line tool: its options are saved with --save-settings as the host's settings
# file before the first step, and after the last step the tool run with that file on the same
# inputs must write the same files, byte for byte, as the plug-in wrote into out/.
set -u
extras=()
data=
cli_dir=

usage() { echo "usage: $0 --wine W --wineserver S --prefix P --host-exe E --dll D --build B" \
  "--scenario DIR --work DIR --screens DIR --dpi N --name NAME [--data DIR] [--extra FILE]..." >&2
  exit 2; }

while [ $# -gt 0 ]; do
  case $1 in
    --wine) wine=$2 ;; --wineserver) wineserver=$2 ;; --prefix) prefix=$2 ;;
    --host-exe) host_exe=$2 ;; --dll) dll=$2 ;; --build) build=$2 ;;
    --scenario) scenario=$2 ;; --work) work=$2 ;; --screens) screens=$2 ;;
    --dpi) dpi=$2 ;; --name) name=$2 ;;
    --data) data=$2 ;; --extra) extras+=("$2") ;; --cli-dir) cli_dir=$2 ;;
    *) usage ;;
  esac
  shift 2
done
for v in wine wineserver prefix host_exe dll build scenario work screens dpi name; do
  [ -n "${!v:-}" ] || usage
done

export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8

# Unix path as Wine sees it through its Z: drive.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

host=$work/host
dump=$work/dump
rm -rf "$work"
mkdir -p "$host" "$dump" "$screens" || exit 2
cp "$host_exe" "$dll" "${extras[@]}" "$host/" || exit 2
[ -n "$data" ] && cp -r "$data/." "$host/"
for folder in images plugins; do
  [ -d "$build/$folder" ] && cp -r "$build/$folder" "$host/"
done
# The pictures only: whether the build made an ECO base depends on a native tool built before
# it, and a scenario's dumps must not (wine_package_install checks the installed base).
rm -f "$host/plugins/ecos.dat"
[ -d "$scenario/host" ] && cp -r "$scenario/host/." "$host/"

# One fresh wineserver per scenario: the screen resolution is read when it starts, and a server
# left from elsewhere might have been started without this X display.
"$wineserver" -k 2>/dev/null
"$wineserver" -w
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
  { echo "cannot set the screen resolution" >&2; exit 2; }
# Xvfb has no window manager: Wine draws the captions itself, so screenshots show them.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null

# Fields 1 to 7 of gamesift.dat as text; the host folder in the output path becomes <host>.
decode_settings() {
  local file=$1
  if [ ! -f "$file" ]; then echo "absent"; return; fi
  local -a b
  read -r -a b <<< "$(od -An -v -tu1 "$file" | tr -s ' \n' '  ')"
  local n=${#b[@]} i=0 v
  readint() {
    if (( i + 4 > n )); then v=; return 1; fi
    v=$(( (b[i] << 24) | (b[i+1] << 16) | (b[i+2] << 8) | b[i+3] ))
    (( v >= 2147483648 )) && v=$(( v - 4294967296 ))
    i=$(( i + 4 ))
  }
  local field
  for field in left top width height; do
    readint || { echo "ends before $field"; return; }
    echo "$field $v"
  done
  (( i < n )) || { echo "ends before visible"; return; }
  echo "visible ${b[i]}"; i=$(( i + 1 ))
  readint || { echo "ends before output path"; return; }
  local length=$v text="" k unit
  (( length >= 0 && i + 2 * length <= n )) || { echo "output path of $length units runs past the end"; return; }
  for (( k = 0; k < length; k++ )); do
    unit=$(( b[i] | (b[i+1] << 8) )); i=$(( i + 2 ))
    text+=$(printf "\\u$(printf %04x "$unit")")
  done
  local host_win
  host_win=$(winpath "$host/")
  echo "output path ${text/#"$host_win"/<host>\\}"
  (( i < n )) || { echo "ends before auto reset"; return; }
  echo "auto reset ${b[i]}"; i=$(( i + 1 ))
  echo "bytes after auto reset $(( n - i ))"
}

# The options of gamesift.dat (the fields after the auto-reset flag) as "name value" lines;
# keptNags as its members, runs of marks written FIRST-LAST.
decode_options() {
  local file=$1
  [ -f "$file" ] || { echo "absent"; return; }
  local -a b
  read -r -a b <<< "$(od -An -v -tu1 "$file" | tr -s ' \n' '  ')"
  local n=${#b[@]} i=17 v
  (( n >= i + 4 )) || { echo "no output path"; return; }
  v=$(( (b[i] << 24) | (b[i+1] << 16) | (b[i+2] << 8) | b[i+3] ))
  i=$(( i + 4 + 2 * v + 1 ))
  (( i < n )) || { echo "no options"; return; }
  local field kind
  for field in removeComments:b tagMode:b removeVariations:b keptNags:s removeDuplicates:b \
      addEcoNames:b removeOldEco:b splitByEco:b splitByWhite:b splitByBlack:b splitByPlayer:b \
      splitByDate:b splitByEvent:b whiteEloParts:b blackEloParts:b splitByResult:b resultMask:b \
      dateFrom:i dateTo:i whitePlayer:t blackPlayer:t ignoreColour:b whiteEloMin:i whiteEloMax:i \
      blackEloMin:i blackEloMax:i ecoFilter:t movesMin:i movesMax:i appendToExisting:b; do
    kind=${field#*:}; field=${field%:*}
    case $kind in
      b) (( i < n )) || { echo "ends before $field"; return; }
         echo "$field ${b[i]}"; i=$(( i + 1 )) ;;
      i) (( i + 4 <= n )) || { echo "ends before $field"; return; }
         v=$(( (b[i] << 24) | (b[i+1] << 16) | (b[i+2] << 8) | b[i+3] ))
         (( v >= 2147483648 )) && v=$(( v - 4294967296 ))
         echo "$field $v"; i=$(( i + 4 )) ;;
      t) (( i + 4 <= n )) || { echo "ends before $field"; return; }
         v=$(( (b[i] << 24) | (b[i+1] << 16) | (b[i+2] << 8) | b[i+3] )); i=$(( i + 4 ))
         (( i + v <= n )) || { echo "$field runs past the end"; return; }
         local text="" k
         for (( k = 0; k < v; k++ )); do text+=$(printf "\\x$(printf %02x "${b[i+k]}")"); done
         echo "$field \"$text\""; i=$(( i + v )) ;;
      s) (( i + 32 <= n )) || { echo "ends before $field"; return; }
         local marks="" mark first=-1
         for (( mark = 0; mark <= 256; mark++ )); do
           if (( mark < 256 && (b[i + mark / 8] >> (mark % 8)) & 1 )); then
             (( first < 0 )) && first=$mark
           elif (( first >= 0 )); then
             (( first == mark - 1 )) && marks+=" $first" || marks+=" $first-$(( mark - 1 ))"
             first=-1
           fi
         done
         echo "$field${marks:- none}"; i=$(( i + 32 )) ;;
    esac
  done
  (( i == n )) || echo "bytes after the options $(( n - i ))"
}

# Takes the screenshots the host asks for (it waits until the request file is gone).
serve_screenshots() {
  local request shot
  for request in "$dump"/*.request; do
    [ -e "$request" ] || continue
    shot=$(basename "$request" .request)
    if command -v import >/dev/null; then
      import -window root "$screens/$name-$shot.png" 2>/dev/null ||
        echo "screenshot $shot failed" >&2
    fi
    rm -f "$request"
  done
}

run_step() {
  local script=$1 args=()
  local first
  first=$(head -n 1 "$script")
  [[ $first == "#!"* ]] && read -r -a args <<< "${first#\#!}"
  # A host that hangs is ended here, before ctest's own limit, so the dumps and the log it left
  # still get reported.
  # Relative paths a script types (an output path) lie in the host folder.
  (cd "$host" && exec timeout --kill-after=5 "$step_limit" "$wine" "$host/vorlen-host.exe" \
    --script "$(winpath "$script")" --dump-dir "$(winpath "$dump")" --dpi "$dpi" --screenshots \
    "${args[@]}") &
  local pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    serve_screenshots
    sleep 0.1
  done
  wait "$pid"
}

# The native tool of any native build beside this one.
native_cli() {
  local candidate
  for candidate in "$cli_dir"/*/gamesift; do
    [ -x "$candidate" ] && file -b "$candidate" | grep -q ELF && { echo "$candidate"; return; }
  done
}

cli=
if [ -f "$scenario/cli.txt" ]; then
  cli=$(native_cli)
  if [ -z "$cli" ]; then
    echo "no native gamesift under $cli_dir: the agreement with the command line is not checked"
    exit 77
  fi
  read -r -a cli_options < <(sed -n 1p "$scenario/cli.txt")
  "$cli" "${cli_options[@]}" --save-settings "$work/cli.dat" -q || exit 2
  # "pages" on line 3: the script sets the options on the settings pages, so the host starts
  # without them
  [ "$(sed -n 3p "$scenario/cli.txt")" = pages ] || cp "$work/cli.dat" "$host/gamesift.dat"
  mkdir -p "$host/out"
fi

# The plug-in's output and the tool's must be the same files with the same bytes.
check_cli_agreement() {
  local inputs=() produced=$work/cli-out
  read -r -a inputs < <(sed -n 2p "$scenario/cli.txt")
  mkdir -p "$produced"
  (cd "$host" && "$cli" -q --settings "$work/cli.dat" "${inputs[@]}" -o "$produced/games") ||
    { echo "the command-line tool failed" >&2; return 1; }
  if ! diff -r "$produced" "$host/out" >&2; then
    echo "the plug-in and the command-line tool wrote different files" >&2
    return 1
  fi
  ls "$produced" | sed 's/^/agreed: /' > "$dump/cli-agreement.txt"
}

status=0
step=0
helper=
if [ -f "$scenario/helper.sh" ]; then
  bash "$scenario/helper.sh" "$host" "$dump" &
  helper=$!
  while [ ! -e "$dump/helper.ready" ] && kill -0 "$helper" 2>/dev/null; do sleep 0.05; done
  [ -e "$dump/helper.ready" ] || { echo "the scenario's helper did not get ready" >&2; exit 2; }
fi
# Each step's share of ctest's 120 seconds.
step_limit=$(( 90 / $(ls "$scenario"/script*.txt | wc -l) ))
previous=$work/settings-before
[ -f "$host/gamesift.dat" ] && cp "$host/gamesift.dat" "$previous"
scripts=("$scenario"/script.txt)
[ -f "${scripts[0]}" ] || scripts=("$scenario"/script[0-9]*.txt)
for script in "${scripts[@]}"; do
  step=$(( step + 1 ))
  run_step "$script"
  code=$?
  "$wineserver" -w
  [ $code -eq 124 ] && "$wineserver" -k 2>/dev/null
  if [ $code -ne 0 ]; then
    echo "step $step ($script): the host ended with $code" >&2
    [ -f "$dump/runner.log" ] && sed 's/^/  runner: /' "$dump/runner.log" >&2
    status=1
  fi
  decode_settings "$host/gamesift.dat" > "$dump/settings-$step.txt"
  decode_options "$host/gamesift.dat" > "$dump/options-$step.txt"
  if [ ! -f "$host/gamesift.dat" ]; then change=absent
  elif [ ! -f "$previous" ]; then change=new
  elif cmp -s "$previous" "$host/gamesift.dat"; then change=unchanged
  else change=changed
  fi
  echo "step $step: $change" >> "$dump/settings-changes.txt"
  for log in "$host"/*.log; do
    [ -e "$log" ] && cp "$log" "$dump/"
  done
  for written in "$host"/out/*; do
    [ -f "$written" ] && cp "$written" "$dump/out-$(basename "$written")"
  done
  rm -f "$previous"
  [ -f "$host/gamesift.dat" ] && cp "$host/gamesift.dat" "$previous"
done

if [ -n "$helper" ]; then
  kill "$helper" 2>/dev/null
  wait "$helper" 2>/dev/null
fi

if [ -n "$cli" ]; then
  check_cli_agreement || status=1
fi

for expected in "$scenario"/expected/*; do
  [ -e "$expected" ] || continue
  produced=$dump/$(basename "$expected")
  if [ ! -f "$produced" ]; then
    echo "missing: $(basename "$expected")" >&2
    status=1
  elif ! diff -u "$expected" "$produced" >&2; then
    status=1
  fi
done
exit $status
