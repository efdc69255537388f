// The about window's fixed texts.
#pragma once

#include "support/text.h"

// Nine lines joined by CR LF, no line break after the last; line 2 names the host of
// the lookup service.
Text creditsText(std::string_view lookupHost);

// Where "检查更新" sends the user.
inline constexpr char kUpdatePageAddress[] = "https://moxavel.example.org/releases/";
