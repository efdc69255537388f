// The program's global objects, its start-up, its one message loop and its exit.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "lookup/poll_answer.h"
#include "lookup/session_tokens.h"
#include "toolkit/wt_button.h"
#include "toolkit/wt_edit.h"
#include "toolkit/wt_list_view.h"
#include "toolkit/wt_window.h"

// The main window's client size right after its controls were built; the layout moves
// the controls relative to it.
struct LayoutState {
    RECT firstClientRect = {};
    int firstClientWidth = 0;
    int firstClientHeight = 0;
};

// Every object lives from start-up to the exit routine.
struct AppObjects {
    std::unique_ptr<WtWindow> mainWindow;
    std::unique_ptr<WtButton> initButton;
    std::unique_ptr<WtEdit> gamePathEdit;
    std::unique_ptr<WtButton> refreshButton;
    std::unique_ptr<WtButton> aboutButton;
    std::unique_ptr<WtButton> spectateButton;
    std::unique_ptr<WtListView> playerList;
    std::unique_ptr<WtListView> teamList1;
    std::unique_ptr<WtListView> teamList2;
    std::unique_ptr<LayoutState> layout;
    std::unique_ptr<LookupSession> session;
    // Position k of the player list's record numbers is element k - 1.
    std::unique_ptr<std::vector<GameRecord>> gameRecords;
    std::unique_ptr<WtWindow> aboutWindow;
    std::unique_ptr<WtEdit> aboutText;
    std::unique_ptr<WtButton> aboutOkButton;
    std::unique_ptr<WtButton> aboutUpdateButton;
    // The game the "观战" button was armed with by the last double-click, if any.
    std::optional<GameRecord> armedGame;
};

// Null before createGlobalObjects and after releaseGlobalObjects.
extern AppObjects* app;
// 0 idle, 1 a refresh is running.
extern int RefreshState;

void createGlobalObjects();
// The exit routine: releases everything once, in a fixed order; later calls do nothing.
void releaseGlobalObjects();
// Names of the objects in the order the exit routine released them (for tests).
const std::vector<const char*>& releasedObjects();

// Module set-up and the main window, as start-up makes them (for tests, without the loop).
bool openMainWindow();
int runMessageLoop();
// The whole life of the user interface; 0 when the message loop ends.
int startApplication();
