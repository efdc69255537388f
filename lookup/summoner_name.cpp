#include "lookup/summoner_name.h"

#include "support/encoding.h"

namespace {

constexpr int kGbkCodePage = 936;
constexpr int kUtf8CodePage = 65001;

bool standsAsItIs(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.';
}

}  // namespace

Text encodeSummonerName(std::string_view name) {
    Text utf8 = wideToText(textToWide(name, kGbkCodePage), kUtf8CodePage);
    Text encoded;
    encoded.reserve(utf8.size() * 3);
    for (unsigned char byte : textToBytes(utf8)) {
        if (standsAsItIs(byte)) {
            encoded += static_cast<char>(byte);
            continue;
        }
        Text digits = hexText(byte);
        encoded += '%';
        if (digits.size() == 1) encoded += '0';
        encoded += digits;
    }
    return encoded;
}
