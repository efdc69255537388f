// The "刷新状态" action: a background pass that polls every listed player.
//
// The worker only fetches and parses; each finished row is posted to the user-interface
// thread, which alone touches the player list, the records and the buttons. A stopped
// pass's results are dropped on arrival, so once the stop has returned the pass changes
// nothing more, even while one of its fetches is still running out in the background.
#pragma once

// Starts a pass when idle, stops the running one otherwise.
void toggleRefresh();
// Stops a running pass before the objects it writes to are released.
void stopRefreshForExit();
