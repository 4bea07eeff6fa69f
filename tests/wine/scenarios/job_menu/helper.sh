#!/bin/bash
# Holds the folder job inside its second file, b.pgn, a FIFO that this helper opens for writing
# (which succeeds only once the job has opened it for reading). The stand-in awaits "held"; the
# FIFO gets its game and its end only once the script has tried the menus and dumped "tried", so
# the job is still running when the menus are tried, however fast it is.
host=$1
dump=$2
mkfifo "$host/folder/b.pgn" || exit 1
touch "$dump/helper.ready"
exec 3>"$host/folder/b.pgn"
touch "$dump/held"
while [ ! -e "$dump/tried-lock.txt" ]; do sleep 0.05; done
printf '[Event "Read after the tries"]\n[White "Kirill"]\n[Black "Lev"]\n[Result "1-0"]\n\n1. e4 1-0\n' >&3
exec 3>&-
