#include "app/row_update.h"

RowUpdate rowUpdateFor(const PollOutcome& outcome, const Text& rowName) {
    RowUpdate update;
    switch (outcome.kind) {
        case PollOutcome::Kind::game: {
            const GameRecord& game = outcome.game;
            update.keepsRecord = true;
            update.writes.push_back(
                {kMapColumn, concatText({game.pubsubState, " ", game.inGameMap})});
            update.writes.push_back({kStartTimeColumn, game.startTime});
            update.writes.push_back({kEloColumn, game.elo});
            for (std::size_t slot = 0; slot < game.playerNames.size(); ++slot) {
                if (compareText(game.playerNames[slot], rowName) == 0) {
                    update.writes.push_back({kChampionColumn, game.champions[slot]});
                    update.writes.push_back({kSpellsColumn, concatText({game.firstSpells[slot], " ",
                                                                        game.secondSpells[slot]})});
                    break;
                }
            }
            break;
        }
        case PollOutcome::Kind::status:
            update.writes.push_back({kStartTimeColumn, outcome.status});
            break;
        case PollOutcome::Kind::networkError:
            update.writes.push_back({kChampionColumn, "网络错误"});
            break;
        case PollOutcome::Kind::nothing:
            break;
    }
    return update;
}
