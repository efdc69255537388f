// The main window as start-up builds it: every control where the layout puts it.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/main_window.h"
#include "tests/app/app_fixture.h"

namespace {

struct FontFacts {
    std::string face;
    LONG height = 0;
    LONG weight = 0;
};

FontFacts fontOf(const WtControl& control) {
    LOGFONTA info = {};
    GetObjectA(control.font(), sizeof info, &info);
    return {info.lfFaceName, info.lfHeight, info.lfWeight};
}

std::string defaultGuiFace() {
    LOGFONTA info = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof info, &info);
    return info.lfFaceName;
}

using MainWindowTest = AppFixture;

TEST_F(MainWindowTest, EveryControlHasItsPlaceFontIdentifierAndState) {
    openApp();
    struct Case {
        const char* name;
        WtControl* control;
        int id, x, y, width, height;
        std::string face;
        LONG fontHeight;
        bool enabled;
    } cases[] = {
        {"init", app->initButton.get(), 501, 8, 16, 88, 26, defaultGuiFace(), 0, true},
        {"game path", app->gamePathEdit.get(), 502, 212, 19, 290, 20, defaultGuiFace(), 0, true},
        {"refresh", app->refreshButton.get(), 503, 108, 16, 88, 26, defaultGuiFace(), 0, false},
        {"about", app->aboutButton.get(), 504, 516, 16, 88, 26, defaultGuiFace(), 0, true},
        {"spectate", app->spectateButton.get(), 505, 612, 16, 100, 26, "宋体", 12, false},
        {"players", app->playerList.get(), 506, 8, 56, 704, 280, "宋体", 13, true},
        {"team 1", app->teamList1.get(), 507, 8, 346, 350, 88, defaultGuiFace(), 0, true},
        {"team 2", app->teamList2.get(), 508, 364, 346, 350, 88, defaultGuiFace(), 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.control->controlId(), c.id);
        EXPECT_EQ(c.control->left(), c.x);
        EXPECT_EQ(c.control->top(), c.y);
        EXPECT_EQ(c.control->width(), c.width);
        EXPECT_EQ(c.control->height(), c.height);
        FontFacts font = fontOf(*c.control);
        EXPECT_EQ(font.face, c.face);
        if (c.fontHeight != 0) {
            EXPECT_EQ(font.height, c.fontHeight);
        }
        EXPECT_EQ(!c.control->disabled(), c.enabled);
    }
    EXPECT_EQ(fontOf(*app->spectateButton).weight, 800);
    EXPECT_EQ(fontOf(*app->playerList).weight, FW_DONTCARE);
    EXPECT_EQ(app->initButton->caption(), "初始化");
    EXPECT_EQ(app->refreshButton->caption(), "刷新状态");
    EXPECT_EQ(app->aboutButton->caption(), "关于我");
    EXPECT_EQ(app->spectateButton->caption(), "观战");
    EXPECT_EQ(app->mainWindow->text(), "[0730] Qeltra Moxavel");
    EXPECT_NE(app->mainWindow->icon(ICON_SMALL), nullptr);
    EXPECT_EQ(RefreshState, 0);
}

TEST_F(MainWindowTest, ListsHaveTheirColumnsColoursAndStyles) {
    openApp();
    struct Column {
        const char* title;
        int width;
    };
    const Column players[] = {{"　", 32},    {"玩家ID", 128},   {"英雄", 114},  {"召唤师技能", 114},
                              {"地图", 114}, {"开始时间", 114}, {"参考elo", 64}};
    const Column team[] = {{"　", 0}, {"玩家ID", 128}, {"英雄", 96}, {"召唤师技能", 114}};

    WtListView& list = *app->playerList;
    ASSERT_EQ(list.columnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(list.columnTitle(i), players[i].title) << i;
        EXPECT_EQ(list.columnWidth(i), players[i].width) << i;
        EXPECT_EQ(list.columnAlignment(i), 0) << i;
    }
    for (WtListView* teamList : {app->teamList1.get(), app->teamList2.get()}) {
        ASSERT_EQ(teamList->columnCount(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(teamList->columnTitle(i), team[i].title) << i;
            EXPECT_EQ(teamList->columnWidth(i), team[i].width) << i;
        }
        EXPECT_EQ(teamList->rowCount(), 0);
    }
    for (WtListView* each : {&list, app->teamList1.get(), app->teamList2.get()}) {
        EXPECT_EQ(each->listExStyle(), 0x422);
        EXPECT_TRUE(each->exStyle() & WS_EX_CLIENTEDGE);
        EXPECT_EQ(each->style() & LVS_TYPEMASK, LVS_REPORT);
    }
    EXPECT_EQ(app->teamList1->textColour(), RGB(0, 127, 255));
    EXPECT_EQ(app->teamList2->textColour(), RGB(128, 0, 128));
    EXPECT_TRUE(app->gamePathEdit->style() & ES_AUTOHSCROLL);
    EXPECT_TRUE(app->gamePathEdit->exStyle() & WS_EX_CLIENTEDGE);
}

TEST_F(MainWindowTest, TheEditBoxNeverKeepsItsSampleText) {
    openApp();
    EXPECT_EQ(app->gamePathEdit->content(), "");
}

struct Geometry {
    int aboutLeft, spectateLeft, playersWidth, playersHeight, teamTop;
};

Geometry geometry() {
    return {app->aboutButton->left(), app->spectateButton->left(), app->playerList->width(),
            app->playerList->height(), app->teamList1->top()};
}

void resizeClientBy(int dx, int dy) {
    const LayoutState& layout = *app->layout;
    RECT outer = {0, 0, layout.firstClientWidth + dx, layout.firstClientHeight + dy};
    AdjustWindowRectEx(&outer, app->mainWindow->style(), FALSE, app->mainWindow->exStyle());
    SetWindowPos(app->mainWindow->handle(), nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
}

TEST_F(MainWindowTest, LayoutKeepsRightAndBottomMarginsAndRestoresAfterMinimising) {
    openApp();
    const Geometry built = {516, 612, 704, 280, 346};
    Geometry now = geometry();
    EXPECT_EQ(now.aboutLeft, built.aboutLeft);
    EXPECT_EQ(now.playersHeight, built.playersHeight);

    resizeClientBy(100, 0);
    now = geometry();
    EXPECT_EQ(now.aboutLeft, 616);
    EXPECT_EQ(now.spectateLeft, 712);
    EXPECT_EQ(now.playersWidth, 804);
    EXPECT_EQ(app->teamList1->width(), 350);
    EXPECT_EQ(app->teamList2->width(), 350);
    EXPECT_EQ(app->teamList2->left(), 364);
    EXPECT_EQ(app->initButton->left(), 8);
    EXPECT_EQ(app->gamePathEdit->width(), 290);

    resizeClientBy(100, 50);
    now = geometry();
    EXPECT_EQ(now.playersHeight, 330);
    EXPECT_EQ(now.teamTop, 396);
    EXPECT_EQ(app->teamList2->top(), 396);

    resizeClientBy(0, 0);
    ShowWindow(app->mainWindow->handle(), SW_MINIMIZE);
    pumpMessages();
    now = geometry();
    // A minimised window's client is 0 by 0; the same arithmetic applies.
    EXPECT_EQ(now.aboutLeft, 516 - app->layout->firstClientWidth);
    EXPECT_EQ(now.teamTop, 346 - app->layout->firstClientHeight);
    ShowWindow(app->mainWindow->handle(), SW_RESTORE);
    pumpMessages();
    now = geometry();
    EXPECT_EQ(now.aboutLeft, built.aboutLeft);
    EXPECT_EQ(now.spectateLeft, built.spectateLeft);
    EXPECT_EQ(now.playersWidth, built.playersWidth);
    EXPECT_EQ(now.playersHeight, built.playersHeight);
    EXPECT_EQ(now.teamTop, built.teamTop);
}

TEST_F(MainWindowTest, ThePlayerFileGivesOneRowPerName) {
    struct Case {
        const char* name;
        std::string content;
        std::vector<std::string> rows;
    } cases[] = {
        {"runs of line ends", "a\r\n\r\nb\r\n", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"line feeds only", "a\nb", {"a\nb"}},
        {"leading line end", "\r\n张三", {"张三"}},
        {"a line of spaces", "  \r\nx", {"  ", "x"}},
        {"duplicates", "x\r\nx", {"x", "x"}},
        {"utf-16",
         std::string("\xFF\xFE"
                     "a\0b\0",
                     6),
         {"\xFF\xFE"
          "a"}},
        {"utf-8 byte-order mark",
         "\xEF\xBB\xBF"
         "a",
         {"\xEF\xBB\xBF"
          "a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("playerid.txt", c.content);
        openApp();
        WtListView& list = *app->playerList;
        ASSERT_EQ(list.rowCount(), static_cast<int>(c.rows.size()));
        for (int row = 0; row < list.rowCount(); ++row) {
            EXPECT_EQ(list.cellText(row, 1), c.rows[row]);
            for (int column : {0, 2, 3, 4, 5, 6}) EXPECT_EQ(list.cellText(row, column), "");
            EXPECT_EQ(list.rowData(row), 0);
        }
        closeApp();
    }
}

TEST_F(MainWindowTest, AMissingPlayerFileGivesAnEmptyList) {
    openApp();
    EXPECT_EQ(app->playerList->rowCount(), 0);
}

TEST_F(MainWindowTest, TenThousandNamesAllBecomeRows) {
    std::string content;
    for (int i = 0; i < 10000; ++i) content += "玩家" + std::to_string(i) + "\r\n";
    writeFile("playerid.txt", content);
    openApp();
    ASSERT_EQ(app->playerList->rowCount(), 10000);
    EXPECT_EQ(app->playerList->cellText(9999, 1), "玩家9999");
}

}  // namespace
