#!/bin/bash
# Makes the Wine prefix the scenarios share, once; a prefix that is already there is kept.
# Usage: init_prefix.sh WINE WINESERVER PREFIX
set -u
wine=$1 wineserver=$2 prefix=$3
export WINEPREFIX=$prefix WINEDEBUG=-all
if [ -f "$prefix/system.reg" ] && [ -f "$prefix/user.reg" ]; then
  exit 0
fi
mkdir -p "$prefix" || exit 1
"$wine" wineboot -i || exit 1
"$wineserver" -w
[ -f "$prefix/system.reg" ]
