// Fills the player list from the player file, once, at start-up.
#pragma once

#include "support/text.h"

// The names of ".\playerid.txt"; a missing or unreadable file gives none.
TextList readPlayerNames();
// One row per name, in file order, the name in column 1.
void loadPlayerList();
