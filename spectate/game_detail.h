// The player list's double-click: the ten players of that row's game in the two team
// lists, and the "观战" button armed with that game.
#pragma once

// row is the double-clicked row, -1 for empty space.
void showGameDetail(int row);
// Both team lists emptied and "观战" disarmed.
void clearGameDetail();
// "观战" disabled, captioned "观战", with no game to launch.
void disarmSpectating();
