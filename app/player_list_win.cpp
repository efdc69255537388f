#include "app/player_list.h"

#include <windows.h>

#include "app/application.h"
#include "app/player_file.h"
#include "app/win_handles.h"

TextList readPlayerNames() {
    OwnedHandle file =
        ownFile(CreateFileA(kPlayerFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size == 0) return {};
    // A short read leaves zero bytes at the end, which end the text there.
    ByteString content(size, 0);
    DWORD read = 0;
    ReadFile(file.get(), content.data(), size, &read, nullptr);
    return parsePlayerNames(content);
}

void loadPlayerList() {
    WtListView& players = *app->playerList;
    TextList names = readPlayerNames();
    // One repaint for the whole list, not one per row.
    players.suspendRedraw();
    for (const Text& name : names) {
        int row = players.insertRow(Text());
        players.setCellText(row, 1, name);
    }
    players.resumeRedraw();
    players.invalidate();
}
