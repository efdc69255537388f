#include "app/main_window.h"

#include <commctrl.h>

#include "app/about_window.h"
#include "app/application.h"
#include "app/player_list.h"
#include "app/refresh.h"
#include "app/session.h"
#include "app/settings.h"
#include "spectate/game_detail.h"
#include "spectate/spectator_launch.h"
#include "toolkit/toolkit_state.h"

namespace {

struct Column {
    const char* title;
    int width;
};

const Column kPlayerColumns[] = {
    {"　", 32},    {"玩家ID", 128},   {"英雄", 114},   {"召唤师技能", 114},
    {"地图", 114}, {"开始时间", 114}, {"参考elo", 64},
};

// The first column is present but never shown.
const Column kTeamColumns[] = {{"　", 0}, {"玩家ID", 128}, {"英雄", 96}, {"召唤师技能", 114}};

template <std::size_t N>
void addColumns(WtListView& list, const Column (&columns)[N]) {
    for (const Column& column : columns) list.insertColumn(column.title, column.width);
}

void buildTeamList(WtListView& list, HWND hwnd, int x, COLORREF colour) {
    list.createListView(hwnd, LVS_REPORT, x, 346, 350, 88);
    addColumns(list, kTeamColumns);
    list.setTextColour(colour);
    list.addListExStyle(LVS_EX_FULLROWSELECT);
}

}  // namespace

HFONT makeFont(const Text& face, int height, bool italic, bool bold, bool strikeOut, bool underline,
               int escapement) {
    return CreateFontA(height, 0, escapement, 0, bold ? 800 : 0, italic, underline, strikeOut,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0,
                       face.c_str());
}

HICON loadAppIcon(int id) {
    return LoadIconA(instanceHandle, MAKEINTRESOURCEA(id));
}

void quitApplication() {
    PostQuitMessage(0);
}

void buildMainWindow(HWND hwnd) {
    WtWindow& window = *app->mainWindow;
    mainWindowHandle = hwnd;
    window.setWindowState(3);
    window.setIcon(loadAppIcon(kAppIconId));
    window.setOnDestroyed(quitApplication);
    window.setOnResized(layoutMainWindow);
    window.setText(kMainWindowTitle);

    app->initButton->createButton(hwnd, "初始化", 8, 16, 88, 26);
    app->initButton->setOnClick(initialiseSession);

    app->gamePathEdit->createEdit(hwnd, "F:\\Program Files\\英雄联盟", 212, 19, 290, 20);
    app->gamePathEdit->setContent(readGamePath());

    app->refreshButton->createButton(hwnd, "刷新状态", 108, 16, 88, 26);
    app->refreshButton->setOnClick(toggleRefresh);
    app->refreshButton->setDisabled(true);

    app->aboutButton->createButton(hwnd, "关于我", 516, 16, 88, 26);
    app->aboutButton->setOnClick(showAboutWindow);

    app->spectateButton->createButton(hwnd, "观战", 612, 16, 100, 26);
    app->spectateButton->setOnClick(launchSpectator);
    app->spectateButton->setDisabled(true);
    app->spectateButton->setFont(makeFont("宋体", 12, false, true));

    WtListView& players = *app->playerList;
    players.createListView(hwnd, LVS_REPORT, 8, 56, 704, 280);
    players.addListExStyle(LVS_EX_FULLROWSELECT);
    addColumns(players, kPlayerColumns);
    players.setFont(makeFont("宋体", 13));
    players.setOnDoubleClick([](WtCallback::Arg row) { showGameDetail(static_cast<int>(row)); });

    buildTeamList(*app->teamList1, hwnd, 8, RGB(0, 127, 255));
    buildTeamList(*app->teamList2, hwnd, 364, RGB(128, 0, 128));

    LayoutState& layout = *app->layout;
    layout.firstClientRect = window.clientRect();
    layout.firstClientWidth = layout.firstClientRect.right;
    layout.firstClientHeight = layout.firstClientRect.bottom;

    loadPlayerList();
    RefreshState = 0;
}

void layoutMainWindow(int width, int height) {
    const int dx = width - app->layout->firstClientWidth;
    const int dy = height - app->layout->firstClientHeight;
    app->aboutButton->setLeft(516 + dx);
    app->spectateButton->setLeft(612 + dx);
    app->playerList->setWidth(704 + dx);
    app->playerList->setHeight(280 + dy);
    app->teamList1->setTop(346 + dy);
    app->teamList2->setTop(346 + dy);
}
