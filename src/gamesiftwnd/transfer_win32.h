#pragma once
// Games the host has open, copied into the game base; the host's current game and position are
// put back afterwards.

void transferAllGames();
void transferCurrentGame();
