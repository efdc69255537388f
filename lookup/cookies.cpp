#include "lookup/cookies.h"

#include <algorithm>
#include <utility>

Text cookieName(std::string_view item) {
    int equals = findText(item, "=");
    return trimText(equals == -1 ? item : item.substr(0, equals - 1));
}

Text mergeCookies(Text& jar, Text& newCookies) {
    jar = removeSpaces(jar);
    newCookies = removeSpaces(newCookies);

    TextList merged = splitText(newCookies, ";");
    TextList names;
    names.reserve(merged.size());
    for (const Text& item : merged) names.push_back(cookieName(item));

    // Names appended here count for the later old items too, so of several old items
    // with one name only the first survives; duplicates the server sent all stay.
    for (const Text& item : splitText(jar, ";")) {
        Text name = cookieName(item);
        if (std::find(names.begin(), names.end(), name) != names.end()) continue;
        merged.push_back(item);
        names.push_back(std::move(name));
    }

    Text result;
    for (const Text& item : merged) {
        if (rightText(item, 8) == "=deleted") continue;
        result += concatText({item, "; "});
    }
    jar = leftText(result, textLength(result) - 2);
    return jar;
}
