// The cookie jar: one text of "name=value" items joined by "; ".
#pragma once

#include <string_view>

#include "support/text.h"

// Puts the cookies a response set in front of the old ones they do not replace and drops
// items ending in "=deleted". Both arguments lose their spaces in place; jar becomes the
// merged jar, which is also returned.
Text mergeCookies(Text& jar, Text& newCookies);
// The trimmed text before the first "=", or the whole item trimmed when it has none.
Text cookieName(std::string_view item);
