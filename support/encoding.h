// Conversions between the program's GBK text and other encodings.
#pragma once

#include "support/text.h"

// Converts data between two libiconv encodings ("JAVA", "GBK", ...). Never a partial
// result: on any failure the result is empty and *ok (when given) is false. "JAVA" input
// must be ASCII with well-formed escapes.
ByteString convertEncoding(const ByteString& data, std::string_view fromName,
                           std::string_view toName, bool* ok = nullptr);

// Multibyte text in a Windows code page (936 or 65001) to UTF-16LE code units,
// terminated by one zero code unit. Invalid input bytes become U+FFFD; another code page
// gives just the zero unit.
ByteString textToWide(std::string_view text, int codePage);
// UTF-16LE (up to its zero code unit) to multibyte text in a code page; characters the
// code page cannot represent become "?" (936), lone surrogates U+FFFD (65001). Another
// code page gives the empty text.
Text wideToText(const ByteString& wide, int codePage);
