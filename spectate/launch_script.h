// The one-line batch script that starts the game client in spectator mode, and the
// checks made before it is written.
#pragma once

#include <string_view>

#include "support/text.h"

// The game client command line with its two placeholders.
inline constexpr char kLaunchTemplate[] =
    "@start \"\" \"[游戏路径]\\League of Legends.exe\" \"8394\" \"LoLLauncher.exe\" \"\" "
    "\"[spectator]\"";
inline constexpr char kGamePathPlaceholder[] = "[游戏路径]";
inline constexpr char kSpectatePlaceholder[] = "[spectator]";
// Links longer than this are refused: no real spectate link comes near it.
inline constexpr int kMaxSpectateLinkLength = 512;

// A path ending in "\", in a double quote or in ".exe" (byte for byte) is refused.
bool gamePathRefused(std::string_view gamePath);
// The seven-line hint shown for a refused path.
Text gamePathMessage();

// "\/" (and any run of backslashes before a slash) becomes "/", repeatedly.
Text unescapeSlashes(std::string_view text);
// The link goes into a script the shell runs, so only bytes that cmd cannot read as
// syntax pass: ASCII letters, digits, space and . : _ - / + =.
bool spectateLinkAllowed(std::string_view link);
// The template with gamePath + "\Game" and the link filled in, slashes unescaped.
Text buildLaunchScript(std::string_view gamePath, std::string_view spectateLink);

Text gameFolder(std::string_view gamePath);        // gamePath + "\Game\"
Text launchScriptPath(std::string_view gamePath);  // gamePath + "\Game\watch.bat"
