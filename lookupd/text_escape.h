// Escaping of text for the service's JSON answers and HTML pages.
#pragma once

#include <string>
#include <string_view>

namespace lookupd {

// UTF-8 text as the inside of a JSON string, the way the real service writes it: "\\",
// "\"", "\/", the short forms \n \t \r \b \f, other control characters and every
// non-ASCII character as \uXXXX (lowercase hex) of its UTF-16 code units, so characters
// beyond the BMP become surrogate pairs. A byte that is not valid UTF-8 becomes \ufffd.
std::string jsonEscape(std::string_view utf8);

// & < > " ' as character references.
std::string htmlEscape(std::string_view text);

}  // namespace lookupd
