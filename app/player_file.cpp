#include "app/player_file.h"

#include <algorithm>

TextList parsePlayerNames(const ByteString& content) {
    TextList names = splitText(bytesToText(content), "\r\n");
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const Text& name) { return compareText(name, "") == 0; }),
                names.end());
    return names;
}
