// The spectating flow against the local lookup service: initialise, refresh, the detail
// view and the launch script, as a user drives them.
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>
#include <iterator>
#include <vector>

#include "app/session.h"
#include "app/settings.h"
#include "app/shell.h"
#include "lookup/lookup_service.h"
#include "tests/app/app_fixture.h"

namespace {

constexpr int kName = 1, kChampion = 2, kSpells = 3, kMap = 4, kStart = 5, kElo = 6;

// Catches the "Form1" message boxes shown while it lives, reads their text and presses OK.
class MessageBoxCatcher {
  public:
    MessageBoxCatcher() {
        current = this;
        timer_ = SetTimer(nullptr, 0, 30, &MessageBoxCatcher::onTimer);
    }
    ~MessageBoxCatcher() {
        KillTimer(nullptr, timer_);
        current = nullptr;
    }
    std::vector<std::string> texts;

  private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA("#32770", "Form1");
        if (box == nullptr || current == nullptr) return;
        char text[4096] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        current->texts.push_back(text);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    }
    static MessageBoxCatcher* current;
    UINT_PTR timer_ = 0;
};
MessageBoxCatcher* MessageBoxCatcher::current = nullptr;

class FlowTest : public AppFixture {
  protected:
    void writePlayers(const std::vector<std::string>& names) {
        std::string content;
        for (const std::string& name : names) content += name + "\r\n";
        writeFile("playerid.txt", content);
    }

    // A game folder holding the stand-in client; returns the game path.
    std::string makeGameFolder(const std::string& name) {
        std::string path = directory + "\\" + name;
        CreateDirectoryA(path.c_str(), nullptr);
        CreateDirectoryA((path + "\\Game").c_str(), nullptr);
        std::string client = windowsPathOf(MOXAVEL_STAND_IN_CLIENT);
        EXPECT_TRUE(
            CopyFileA(client.c_str(), (path + "\\Game\\League of Legends.exe").c_str(), FALSE));
        return path;
    }

    void initialise() {
        MessageBoxCatcher boxes;
        app->initButton->click();
        EXPECT_TRUE(boxes.texts.empty()) << "initialising failed: " << boxes.texts[0];
    }

    // Runs a whole pass and waits for the worker's own stop.
    void refreshToTheEnd() {
        ASSERT_EQ(RefreshState, 0);
        app->refreshButton->click();
        EXPECT_EQ(RefreshState, 1);
        for (int i = 0; i < 3000 && RefreshState == 1; ++i) pumpFor(10);
        ASSERT_EQ(RefreshState, 0) << "the pass did not end";
    }

    Text cell(int row, int column) { return app->playerList->cellText(row, column); }

    // Double-clicks a row as the mouse does; row -1 hits the space below the last row.
    void doubleClick(int row) {
        WtListView& list = *app->playerList;
        RECT rect = {};
        rect.left = LVIR_BOUNDS;
        int target = row >= 0 ? row : list.rowCount() - 1;
        SendMessageA(list.handle(), LVM_GETITEMRECT, target, reinterpret_cast<LPARAM>(&rect));
        int x = 60;
        int y = row >= 0 ? (rect.top + rect.bottom) / 2 : rect.bottom + 40;
        LPARAM at = MAKELPARAM(x, y);
        SendMessageA(list.handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list.handle(), WM_LBUTTONUP, 0, at);
        SendMessageA(list.handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list.handle(), WM_LBUTTONUP, 0, at);
        pumpMessages();
    }

    std::vector<std::vector<std::string>> teamRows(WtListView& list) {
        std::vector<std::vector<std::string>> rows;
        for (int row = 0; row < list.rowCount(); ++row) {
            rows.push_back({list.cellText(row, 1), list.cellText(row, 2), list.cellText(row, 3)});
        }
        return rows;
    }
};

const std::vector<std::string> kScenario = {
    "张三",     "李四",     "离线的人", "忙碌的人", "出错的人", "空白的人",
    "改名的人", "小 明_01", "危险链接", "五百的人", "大块头",
};

TEST_F(FlowTest, InitialisingTakesTheThreeTokensAndEnablesRefresh) {
    openApp();
    initialise();
    EXPECT_FALSE(app->refreshButton->disabled());
    EXPECT_FALSE(app->initButton->disabled());
    EXPECT_TRUE(app->spectateButton->disabled());
    EXPECT_EQ(app->session->pollPrefix,
              concatText({lookupBase(),
                          "/lookup/xmpp/poll?diamondprox=e2eD&REQUIRED_QUICKFIND_API_KEY=e2eK"
                          "&PBK=e2eP&regionProxy=china-ionia-1&summoner="}));
}

TEST_F(FlowTest, AFailingInitialisationSaysSoAndLeavesRefreshDisabled) {
    openApp();
    initialise();
    ASSERT_FALSE(app->refreshButton->disabled());
    const Text base = lookupBase();
    struct Case {
        const char* name;
        Text base;
    } cases[] = {
        {"service down", "http://127.0.0.1:1"},
        // The profile address is appended to the base, so it lands in an ignored query key.
        {"two of the three fields",
         concatText({base,
                     "/test/page?body=%3Cinput%20name%3D%22diamondprox%22%20value%3D%22d1"
                     "%22%3E%3Cinput%20name%3D%22PBK%22%20value%3D%22p1%22%3E&x="})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setLookupBaseForTesting(c.base);
        {
            MessageBoxCatcher boxes;
            app->initButton->click();
            ASSERT_EQ(boxes.texts.size(), 1u);
            EXPECT_EQ(boxes.texts[0], kConnectFailedMessage);
        }
        EXPECT_TRUE(app->refreshButton->disabled());
        EXPECT_FALSE(app->initButton->disabled());
    }
    EXPECT_EQ(app->session->diamondprox, "d1");
    EXPECT_EQ(app->session->PBK, "p1");
    EXPECT_EQ(app->session->REQUIRED_QUICKFIND_API_KEY, "");
    setLookupBaseForTesting(base);
    initialise();
    EXPECT_FALSE(app->refreshButton->disabled());
}

TEST_F(FlowTest, APassFillsEveryRowAsItsAnswerSays) {
    writePlayers(kScenario);
    openApp();
    initialise();
    refreshToTheEnd();
    EXPECT_EQ(app->refreshButton->caption(), "刷新状态");
    EXPECT_FALSE(app->initButton->disabled());
    EXPECT_TRUE(app->spectateButton->disabled());

    struct Row {
        std::string champion, spells, map, start, elo;
        LPARAM record;
    } expected[] = {
        {"Ahri", "Flash Dot", "inGame Summoner's Rift", "08:05:11 PM", "1520", 1},
        {"MonkeyKing", "Smite Flash", "inGame Summoner's Rift", "08:05:11 PM", "1520", 2},
        {"", "", "", "离线", "", 0},
        {"", "", "", "服务器超载", "", 0},
        {"", "", "", "Something else went wrong", "", 0},
        {"网络错误", "", "", "", "", 0},
        {"", "", "inGame Howling Abyss", "9:15:00 AM", "1333", 3},  // no slot has the name
        {"Nasus", "Ghost Teleport", "inGame Twisted Treeline", "11:59:59 PM", "1701", 4},
        {"Teemo", "Flash Dot", "inGame Summoner's Rift", "10:00:00 PM", "1400", 5},
        {"", "", "", "", "", 0},  // an HTTP 500 page is parsed like any answer: no mark in it
        {"Yasuo", "Flash Barrier", "inGame Summoner's Rift", "10:00:00 PM", "1400", 6},  // 1 MB
    };
    ASSERT_EQ(app->playerList->rowCount(), static_cast<int>(std::size(expected)));
    for (int row = 0; row < app->playerList->rowCount(); ++row) {
        SCOPED_TRACE(kScenario[row]);
        EXPECT_EQ(cell(row, 0), "");
        EXPECT_EQ(cell(row, kName), kScenario[row]);
        EXPECT_EQ(cell(row, kChampion), expected[row].champion);
        EXPECT_EQ(cell(row, kSpells), expected[row].spells);
        EXPECT_EQ(cell(row, kMap), expected[row].map);
        EXPECT_EQ(cell(row, kStart), expected[row].start);
        EXPECT_EQ(cell(row, kElo), expected[row].elo);
        EXPECT_EQ(app->playerList->rowData(row), expected[row].record);
    }

    const std::vector<GameRecord>& records = *app->gameRecords;
    ASSERT_EQ(records.size(), 6u);
    // Two rows in one game keep a record each.
    EXPECT_EQ(records[0].playerNames, records[1].playerNames);
    EXPECT_EQ(records[0].playerNames[6], "李四");
    EXPECT_EQ(records[0].spectateLink, "spectator 127.0.0.1:8394 Zq3pN4xTk8Wm 4012345678 HN1");
    EXPECT_EQ(records[3].playerNames[3], "小 明_01");
    EXPECT_EQ(records[3].playerNames[6], "");
}

TEST_F(FlowTest, ADoubleClickShowsBothTeamsAndArmsSpectating) {
    writePlayers(kScenario);
    openApp();
    initialise();
    refreshToTheEnd();

    doubleClick(0);
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(teamRows(*app->teamList1), (Rows{{"张三", "Ahri", "Flash Dot"},
                                               {"蓝色火焰", "LeeSin", "Smite Flash"},
                                               {"Faker", "Zed", "Flash Teleport"},
                                               {"风之子", "Ashe", "Heal Flash"},
                                               {"无名", "Thresh", "Exhaust Flash"}}));
    EXPECT_EQ(teamRows(*app->teamList2), (Rows{{"夜雨", "Garen", "Teleport Flash"},
                                               {"李四", "MonkeyKing", "Smite Flash"},
                                               {"Doinb", "Orianna", "Flash Barrier"},
                                               {"凯特琳", "Caitlyn", "Heal Flash"},
                                               {"小鱼", "Nami", "Exhaust Flash"}}));
    EXPECT_FALSE(app->spectateButton->disabled());
    EXPECT_EQ(app->spectateButton->caption(), "张三");

    doubleClick(0);  // the same row again: five and five, not ten and ten
    EXPECT_EQ(app->teamList1->rowCount(), 5);
    EXPECT_EQ(app->teamList2->rowCount(), 5);

    doubleClick(7);  // six players: the second team has one
    EXPECT_EQ(teamRows(*app->teamList2), (Rows{{"六号", "Poppy", "Flash Heal"},
                                               {"", "", " "},
                                               {"", "", " "},
                                               {"", "", " "},
                                               {"", "", " "}}));
    EXPECT_EQ(app->spectateButton->caption(), "小 明_01");

    for (int row : {2, 5, -1}) {  // offline, network error, empty space
        SCOPED_TRACE(row);
        doubleClick(7);
        doubleClick(row);
        EXPECT_EQ(app->teamList1->rowCount(), 0);
        EXPECT_EQ(app->teamList2->rowCount(), 0);
        EXPECT_TRUE(app->spectateButton->disabled());
        EXPECT_EQ(app->spectateButton->caption(), "观战");
    }

    // Initialising again empties the team lists and resets the button.
    doubleClick(0);
    initialise();
    EXPECT_EQ(app->teamList1->rowCount(), 0);
    EXPECT_EQ(app->spectateButton->caption(), "观战");
    EXPECT_TRUE(app->spectateButton->disabled());
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(FlowTest, SpectatingWritesTheScriptSavesThePathAndTheShellStartsTheClient) {
    writePlayers(kScenario);
    openApp();
    const std::string game = makeGameFolder("英雄 联盟");
    app->gamePathEdit->setContent(game);
    writeFile("英雄 联盟\\Game\\watch.bat", std::string(500, 'x'));  // replaced, not appended
    initialise();
    refreshToTheEnd();

    doubleClick(1);
    ASSERT_EQ(app->spectateButton->caption(), "李四");
    // Selecting another row afterwards does not change the armed game.
    app->playerList->setSelectionMark(6);
    app->spectateButton->click();

    const std::string script = "@start \"\" \"" + game +
                               "\\Game\\League of Legends.exe\" \"8394\" \"LoLLauncher.exe\" "
                               "\"\" \"spectator 127.0.0.1:8394 Zq3pN4xTk8Wm 4012345678 HN1\"";
    EXPECT_EQ(readFile("英雄 联盟\\Game\\watch.bat"), script);
    EXPECT_EQ(readProfileText(".\\settings.ini", "0728", "GamePath"), game);

    std::string launched;
    for (int i = 0; i < 400 && launched.empty(); ++i) {
        pumpFor(50);
        launched = readFile("英雄 联盟\\Game\\launched.txt");
    }
    std::vector<std::string> lines = linesOf(launched);
    ASSERT_GE(lines.size(), 6u) << "the stand-in client did not run: " << launched;
    EXPECT_EQ(lines[1], game + "\\Game");  // started in the Game folder
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"8394", "LoLLauncher.exe", "",
                                        "spectator 127.0.0.1:8394 Zq3pN4xTk8Wm 4012345678 HN1"}));
}

TEST_F(FlowTest, RefusedPathsAndLinksWriteSaveAndRunNothing) {
    writePlayers(kScenario);
    openApp();
    const std::string game = makeGameFolder("LOL");
    initialise();
    refreshToTheEnd();
    std::vector<std::string> opened;
    setShellOpenerForTesting([&](const Text& file, const Text&) { opened.push_back(file); });

    doubleClick(0);
    struct Case {
        const char* name;
        std::string path;
        bool message;
    } cases[] = {
        {"trailing backslash", game + "\\", true},
        {"trailing quote", game + "\"", true},
        {"client file", game + "\\Game\\Client.exe", true},
        {"empty path", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app->gamePathEdit->setContent(c.path);
        MessageBoxCatcher boxes;
        app->spectateButton->click();
        pumpFor(100);
        ASSERT_EQ(boxes.texts.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(
                findText(boxes.texts[0], "游戏路径应该像 F:\\Program Files\\英雄联盟 这样\r\n"), 1);
        }
    }

    // A link the service sent with quotes and ampersands in it never reaches a script.
    doubleClick(8);
    ASSERT_EQ(app->spectateButton->caption(), "危险链接");
    app->gamePathEdit->setContent(game);
    {
        MessageBoxCatcher boxes;
        app->spectateButton->click();
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_NE(findText(boxes.texts[0], "观战链接"), -1);
    }
    EXPECT_FALSE(fileExists("LOL\\Game\\watch.bat"));
    EXPECT_FALSE(fileExists("settings.ini"));
    EXPECT_TRUE(opened.empty());
    setShellOpenerForTesting(nullptr);
}

TEST_F(FlowTest, AForcedStopTakesEffectAtOnceAndThePassChangesNothingMore) {
    writePlayers({"张三", "慢吞吞", "李四"});
    openApp();
    app->playerList->setCellText(2, kStart, "上次的结果");
    initialise();
    app->refreshButton->click();
    // The first row is done while the second one's answer is held back by the service.
    for (int i = 0; i < 1000 && app->playerList->rowData(0) == 0; ++i) pumpFor(10);
    ASSERT_EQ(app->playerList->rowData(0), 1);

    app->refreshButton->click();
    EXPECT_EQ(RefreshState, 0);
    EXPECT_EQ(app->refreshButton->caption(), "刷新状态");
    EXPECT_FALSE(app->initButton->disabled());
    EXPECT_FALSE(app->refreshButton->disabled());
    EXPECT_EQ(app->gameRecords->size(), 1u);

    pumpFor(5000);  // the held-back answer arrives and is dropped
    EXPECT_EQ(cell(1, kStart), "");
    EXPECT_EQ(cell(2, kStart), "上次的结果");
    EXPECT_EQ(app->playerList->rowData(2), 0);
    EXPECT_EQ(app->gameRecords->size(), 1u);
    EXPECT_EQ(app->refreshButton->caption(), "刷新状态");
    EXPECT_EQ(cell(0, kChampion), "Ahri");  // done rows keep what they got

    // A new pass starts over and runs to the end.
    refreshToTheEnd();
    EXPECT_EQ(cell(1, kStart), "离线");
    EXPECT_EQ(cell(2, kChampion), "MonkeyKing");
    EXPECT_EQ(app->gameRecords->size(), 2u);
}

TEST_F(FlowTest, ClosingTheProgramDuringAPassEndsItWithExitCodeZero) {
    writePlayers({"卡住的人", "张三"});
    PROCESS_INFORMATION process = startProgram(directory);
    ASSERT_NE(process.hProcess, nullptr);
    HWND window = waitForMainWindow(process.dwProcessId);
    ASSERT_NE(window, nullptr);
    HWND init = FindWindowExA(window, nullptr, "Button", "初始化");
    HWND refresh = FindWindowExA(window, nullptr, "Button", "刷新状态");
    ASSERT_NE(init, nullptr);
    ASSERT_NE(refresh, nullptr);
    SendMessageA(init, BM_CLICK, 0, 0);
    ASSERT_TRUE(IsWindowEnabled(refresh));
    SendMessageA(refresh, BM_CLICK, 0, 0);
    char caption[64] = {};
    GetWindowTextA(refresh, caption, sizeof caption);
    EXPECT_STREQ(caption, "强制停止");
    Sleep(500);  // the first fetch is now held open by the service

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForExit(process, 20000), 0) << "the program must end while its fetch hangs";
}

TEST_F(FlowTest, AMissingGameFolderOrALockedScriptLosesNothingElse) {
    writePlayers(kScenario);
    openApp();
    initialise();
    refreshToTheEnd();
    std::vector<std::string> opened;
    setShellOpenerForTesting([&](const Text& file, const Text&) { opened.push_back(file); });
    doubleClick(0);

    // No Game folder: no script and no folder made; the path is saved all the same.
    const std::string missing = directory + "\\没有游戏";
    app->gamePathEdit->setContent(missing);
    app->spectateButton->click();
    EXPECT_FALSE(fileExists("没有游戏"));
    EXPECT_EQ(readProfileText(".\\settings.ini", "0728", "GamePath"), missing);

    // A script another program holds open keeps its old content.
    const std::string game = makeGameFolder("LOL");
    writeFile("LOL\\Game\\watch.bat", "old");
    HANDLE lock = CreateFileA((game + "\\Game\\watch.bat").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    app->gamePathEdit->setContent(game);
    app->spectateButton->click();
    CloseHandle(lock);
    EXPECT_EQ(readFile("LOL\\Game\\watch.bat"), "old");
    EXPECT_EQ(readProfileText(".\\settings.ini", "0728", "GamePath"), game);
    EXPECT_EQ(opened.size(), 2u);  // the shell is asked; it finds nothing new to run

    // The program goes on: the next launch works.
    app->spectateButton->click();
    EXPECT_EQ(findText(readFile("LOL\\Game\\watch.bat"), "@start \"\" \""), 1);
    setShellOpenerForTesting(nullptr);
}

}  // namespace
