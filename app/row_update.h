// What one poll outcome writes into its player-list row, in the order it is written.
#pragma once

#include <vector>

#include "lookup/poll_answer.h"
#include "support/text.h"

inline constexpr int kChampionColumn = 2;
inline constexpr int kSpellsColumn = 3;
inline constexpr int kMapColumn = 4;
inline constexpr int kStartTimeColumn = 5;
inline constexpr int kEloColumn = 6;

struct CellWrite {
    int column;
    Text text;
};

struct RowUpdate {
    // A game: the record is kept and the row points at it.
    bool keepsRecord = false;
    std::vector<CellWrite> writes;
};

// rowName is the text of the row's name column; champion and spells are written only
// when a player slot of the game has exactly that name.
RowUpdate rowUpdateFor(const PollOutcome& outcome, const Text& rowName);
