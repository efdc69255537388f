#include "spectate/game_detail.h"

#include "app/application.h"

namespace {

void emptyList(WtListView& list) {
    for (int rows = list.rowCount(); rows > 0; --rows) list.deleteRow(0);
}

void fillTeam(WtListView& list, const GameRecord& game, std::size_t firstSlot) {
    for (std::size_t slot = firstSlot; slot < firstSlot + 5; ++slot) {
        int row = list.insertRow(Text());
        list.setCellText(row, 1, game.playerNames[slot]);
        list.setCellText(row, 2, game.champions[slot]);
        list.setCellText(row, 3,
                         concatText({game.firstSpells[slot], " ", game.secondSpells[slot]}));
    }
}

}  // namespace

void disarmSpectating() {
    app->spectateButton->setDisabled(true);
    app->spectateButton->setCaption("观战");
    app->armedGame.reset();
}

void clearGameDetail() {
    emptyList(*app->teamList1);
    emptyList(*app->teamList2);
    disarmSpectating();
}

void showGameDetail(int row) {
    clearGameDetail();

    const std::vector<GameRecord>& records = *app->gameRecords;
    LPARAM recordNumber = row < 0 ? 0 : app->playerList->rowData(row);
    if (recordNumber <= 0 || static_cast<std::size_t>(recordNumber) > records.size()) return;

    const GameRecord& game = records[static_cast<std::size_t>(recordNumber) - 1];
    fillTeam(*app->teamList1, game, 0);
    fillTeam(*app->teamList2, game, 5);
    app->armedGame = game;
    app->spectateButton->setDisabled(false);
    app->spectateButton->setCaption(app->playerList->cellText(row, 1));
}
