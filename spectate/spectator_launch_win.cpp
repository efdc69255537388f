#include "spectate/spectator_launch.h"

#include <windows.h>

#include "app/application.h"
#include "app/session.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/win_handles.h"
#include "spectate/launch_script.h"
#include "support/message_box.h"

namespace {

// Creates or truncates the file and writes exactly the script's bytes.
void writeWholeFile(const Text& path, const Text& content) {
    OwnedHandle file = ownFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

}  // namespace

void launchSpectator() {
    const Text path = app->gamePathEdit->content();
    if (gamePathRefused(path)) {
        showMessage(gamePathMessage(), MB_OK, kMessageTitle);
        return;
    }
    if (path.empty() || !app->armedGame) return;

    // The link comes from the network and ends up in a script the shell runs.
    const Text& link = app->armedGame->spectateLink;
    if (!spectateLinkAllowed(link)) {
        showMessage(kRefusedLinkMessage, MB_OK, kMessageTitle);
        return;
    }
    writeWholeFile(launchScriptPath(path), buildLaunchScript(path, link));
    saveGamePath(path);
    shellOpen(launchScriptPath(path), gameFolder(path));
}
