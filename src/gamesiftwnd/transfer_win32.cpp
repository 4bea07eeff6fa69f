#include "gamesiftwnd/transfer_win32.h"

void transferAllGames() {}
void transferCurrentGame() {}
