#include "spectate/launch_script.h"

bool gamePathRefused(std::string_view p) {
    if (p.empty()) return false;
    if (p.back() == '\\' || p.back() == '"') return true;
    return p.size() >= 4 && p.substr(p.size() - 4) == ".exe";
}

Text gamePathMessage() {
    return concatText({
        "游戏路径应该像 F:\\Program Files\\英雄联盟 这样\r\n",
        "而不应该是 F:\\Program Files\\英雄联盟\\Game \r\n",
        "也不应该是 F:\\Program Files\\英雄联盟\\Game\\Client.exe \r\n",
        "\r\n",
        "斜杠请使用 \\ 而不是 / 。\r\n",
        "头尾不需要带 \" 号。\r\n",
        "最后一位不需要输入 \\ 号。",
    });
}

Text unescapeSlashes(std::string_view text) {
    Text result(text);
    while (findText(result, "\\/") != -1) result = replaceText(result, "\\/", "/");
    return result;
}

bool spectateLinkAllowed(std::string_view link) {
    if (static_cast<int>(link.size()) > kMaxSpectateLinkLength) return false;
    for (unsigned char c : unescapeSlashes(link)) {
        bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == ' ' || c == '.' || c == ':' || c == '_' || c == '-' || c == '/' ||
                       c == '+' || c == '=';
        if (!allowed) return false;
    }
    return true;
}

Text buildLaunchScript(std::string_view gamePath, std::string_view spectateLink) {
    Text script =
        replaceText(kLaunchTemplate, kGamePathPlaceholder, concatText({gamePath, "\\Game"}));
    script = replaceText(script, kSpectatePlaceholder, spectateLink);
    return unescapeSlashes(script);
}

Text gameFolder(std::string_view gamePath) {
    return concatText({gamePath, "\\Game\\"});
}

Text launchScriptPath(std::string_view gamePath) {
    return concatText({gamePath, "\\Game\\watch.bat"});
}
