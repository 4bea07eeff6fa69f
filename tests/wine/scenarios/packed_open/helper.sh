#!/bin/bash
# Packs the shared games for the scenario before its first step: a gzip file for "Открыть..." and
# a zip archive in a folder for "Пакетная обработка...".
host=$1
dump=$2
mkdir -p "$host/packed" || exit 1
gzip -c "$host/games.pgn" >"$host/games.pgn.gz" || exit 1
(cd "$host/folder" && zip -q "$host/packed/both.zip" classics.pgn studies.pgn) || exit 1
touch "$dump/helper.ready"
