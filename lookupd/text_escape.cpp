#include "lookupd/text_escape.h"

#include <cstdint>

namespace lookupd {

namespace {

void appendCodeUnit(std::string& out, std::uint32_t unit) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence at text[at] and its code point; 0 when the sequence is
// invalid (truncated, overlong, a surrogate, or beyond U+10FFFF).
std::size_t decodeUtf8(std::string_view text, std::size_t at, std::uint32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!isContinuation(byte)) return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

}  // namespace

std::string jsonEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 4);
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x80) {
            switch (byte) {
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                case '/':
                    out += "\\/";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\b':
                    out += "\\b";
                    break;
                case '\f':
                    out += "\\f";
                    break;
                default:
                    if (byte < 0x20) {
                        appendCodeUnit(out, byte);
                    } else {
                        out += static_cast<char>(byte);
                    }
            }
            ++at;
            continue;
        }
        std::uint32_t codePoint = 0;
        std::size_t length = decodeUtf8(utf8, at, codePoint);
        if (length == 0) {
            codePoint = 0xFFFD;
            length = 1;
        }
        if (codePoint >= 0x10000) {
            const std::uint32_t offset = codePoint - 0x10000;
            appendCodeUnit(out, 0xD800 + (offset >> 10));
            appendCodeUnit(out, 0xDC00 + (offset & 0x3FF));
        } else {
            appendCodeUnit(out, codePoint);
        }
        at += length;
    }
    return out;
}

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace lookupd
