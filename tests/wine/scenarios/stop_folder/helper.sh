#!/bin/bash
# Holds the folder job at its second file, b.pgn: a FIFO that this helper opens for writing, which
# succeeds only once the job has opened it for reading (so a.pgn is merged by then). The stand-in
# awaits "held"; the FIFO gets a game and its end only once the script has pressed stop and
# dumped "stopped", so the job is still reading when the stop comes, however fast it is.
host=$1
dump=$2
mkfifo "$host/folder/b.pgn" || exit 1
touch "$dump/helper.ready"
exec 3>"$host/folder/b.pgn"
touch "$dump/held"
while [ ! -e "$dump/stopped-state.txt" ]; do sleep 0.05; done
printf '[Event "Read after the stop"]\n[White "Kirill"]\n[Black "Lev"]\n[Result "1-0"]\n\n1. e4 1-0\n' >&3
exec 3>&-
