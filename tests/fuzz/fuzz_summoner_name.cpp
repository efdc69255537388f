// Any text the player file holds must become a query value of the 64 plain bytes and
// %XX escapes only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lookup/summoner_name.h"

namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

bool isPlain(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
}

bool isUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view name(reinterpret_cast<const char*>(data), size);
    name = name.substr(0, name.find('\0'));  // texts never hold a zero byte
    Text encoded = encodeSummonerName(name);

    Text decoded;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        char c = encoded[i];
        if (isPlain(c)) {
            decoded += c;
            continue;
        }
        require(c == '%' && i + 2 < encoded.size() && isUpperHex(encoded[i + 1]) &&
                isUpperHex(encoded[i + 2]));
        char byte = static_cast<char>(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2]));
        require(!isPlain(byte));  // a plain byte is never escaped
        decoded += byte;
        i += 2;
    }

    // ASCII is the same in GBK and UTF-8, so an ASCII name comes back as it was.
    bool ascii = true;
    for (unsigned char byte : name) ascii = ascii && byte < 0x80;
    if (ascii) require(decoded == name);
    return 0;
}
