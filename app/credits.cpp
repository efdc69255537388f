#include "app/credits.h"

#include <iterator>

Text creditsText(std::string_view lookupHost) {
    // The contact lines are placeholders on reserved example domains.
    const Text lines[] = {
        "Moxavel 0730r",
        concatText({"API 来自 ", lookupHost}),
        "-----------------------------------------",
        "邮箱：moxavel@example.com",
        "微博：@moxavel.example",
        "QQ：moxavel@example.net",
        "",
        "",
        "祝大家观战愉快！本程序与游戏运营商无关。",
    };
    Text text;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}
