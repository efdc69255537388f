#include "app/refresh.h"

#include <windows.h>

#include <memory>

#include "app/application.h"
#include "app/row_update.h"
#include "lookup/http_fetch.h"
#include "lookup/lookup_service.h"
#include "lookup/summoner_name.h"
#include "spectate/game_detail.h"
#include "support/threads.h"
#include "toolkit/toolkit_state.h"

namespace {

constexpr UINT kRowDone = WM_APP + 1;   // wParam: pass, lParam: RowResult*
constexpr UINT kPassDone = WM_APP + 2;  // wParam: pass
constexpr int kNameColumn = 1;

// Everything the worker reads is its own copy: it may still be running out a fetch while
// the process ends and the program's objects are released.
struct PassJob {
    WPARAM pass;
    HWND sink;
    Text pollPrefix;
    Text base;
    TextList names;
};

struct RowResult {
    int row;
    PollOutcome outcome;
};

ThreadHandle worker;
// Results carry the number of their pass; only the running pass's results are applied.
WPARAM runningPass = 0;
HWND sinkWindow = nullptr;

void runRefresh(void* argument, const StopToken& stop) {
    std::unique_ptr<PassJob> job(static_cast<PassJob*>(argument));
    for (std::size_t row = 0; row < job->names.size(); ++row) {
        if (stop.stopRequested()) return;
        Text answer = fetchPage(concatText({job->pollPrefix, encodeSummonerName(job->names[row])}));
        if (stop.stopRequested()) return;
        auto result = std::make_unique<RowResult>(
            RowResult{static_cast<int>(row), parsePollAnswer(answer, job->base)});
        // Posted, never sent: the user-interface thread never waits for this thread.
        if (PostMessageA(job->sink, kRowDone, job->pass, reinterpret_cast<LPARAM>(result.get()))) {
            result.release();
        }
    }
    if (!stop.stopRequested()) PostMessageA(job->sink, kPassDone, job->pass, 0);
}

void applyRow(const RowResult& result) {
    WtListView& players = *app->playerList;
    RowUpdate update = rowUpdateFor(result.outcome, players.cellText(result.row, kNameColumn));
    if (update.keepsRecord) {
        app->gameRecords->push_back(result.outcome.game);
        players.setRowData(result.row, static_cast<LPARAM>(app->gameRecords->size()));
    }
    for (const CellWrite& write : update.writes) {
        players.setCellText(result.row, write.column, write.text);
    }
    players.update();
}

bool passIsRunning(WPARAM pass) {
    return app != nullptr && RefreshState == 1 && pass == runningPass;
}

LRESULT CALLBACK sinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRowDone) {
        std::unique_ptr<RowResult> result(reinterpret_cast<RowResult*>(lParam));
        if (passIsRunning(wParam)) applyRow(*result);
        return 0;
    }
    if (msg == kPassDone) {
        if (passIsRunning(wParam)) toggleRefresh();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A message-only window that receives the worker's results on this thread.
HWND resultSink() {
    if (sinkWindow != nullptr) return sinkWindow;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = sinkProc;
    wc.hInstance = instanceHandle;
    wc.lpszClassName = "MoxavelRefreshResults";
    RegisterClassA(&wc);
    sinkWindow = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 instanceHandle, nullptr);
    return sinkWindow;
}

void startPass() {
    RefreshState = 1;
    app->initButton->setDisabled(true);
    app->refreshButton->setCaption("强制停止");
    disarmSpectating();

    WtListView& players = *app->playerList;
    app->gameRecords->clear();
    const int rows = players.rowCount();
    for (int row = 0; row < rows; ++row) players.setRowData(row, 0);

    closeThreadHandle(worker);
    auto job = std::make_unique<PassJob>();
    job->pass = ++runningPass;
    job->sink = resultSink();
    job->pollPrefix = app->session->pollPrefix;
    job->base = lookupBase();
    for (int row = 0; row < rows; ++row) job->names.push_back(players.cellText(row, kNameColumn));
    // Without a thread the state stays running; the next click stops it.
    if (startThread(runRefresh, job.get(), &worker)) job.release();
}

void stopPass() {
    RefreshState = 0;
    app->initButton->setDisabled(false);
    app->refreshButton->setCaption("刷新状态");
    forceStopThread(worker);
    closeThreadHandle(worker);
}

}  // namespace

void toggleRefresh() {
    if (RefreshState == 0) {
        startPass();
    } else {
        stopPass();
    }
}

void stopRefreshForExit() {
    forceStopThread(worker);
    closeThreadHandle(worker);
    RefreshState = 0;
}
