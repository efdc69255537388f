#include "support/text.h"

#include <climits>
#include <cstring>

namespace {

bool isLeadByte(unsigned char c) {
    return c >= 0x80;
}

// Width of the character starting at index i, never past the end of the text.
size_t charWidth(std::string_view text, size_t i) {
    return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

unsigned char foldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// ASCII case folding applies to single-byte characters of the needle only: the second
// byte of a two-byte character may fall in the letter range, and folding it would make
// two different Chinese characters equal.
bool matchesIgnoringCase(const char* at, std::string_view needle) {
    for (size_t j = 0; j < needle.size(); ++j) {
        auto n = static_cast<unsigned char>(needle[j]);
        auto t = static_cast<unsigned char>(at[j]);
        if (isLeadByte(n)) {
            if (n != t) return false;
            if (++j < needle.size() && needle[j] != at[j]) return false;
        } else if (foldAscii(n) != foldAscii(t)) {
            return false;
        }
    }
    return true;
}

bool isFullWidthSpace(std::string_view text, size_t i) {
    return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xA1 &&
           static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

// Width of the space character (ASCII or full-width) at index i, or 0 when none is there.
size_t spaceWidth(std::string_view text, size_t i) {
    if (text[i] == ' ') return 1;
    return isFullWidthSpace(text, i) ? 2 : 0;
}

// The ASCII form of the full-width character A3 xx when it has one that textToInteger
// cares to see (digits, letters, signs, slash, backslash), else 0.
char halfWidthOf(unsigned char trail) {
    char c = static_cast<char>(trail - 0x80);
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return c;
    if (c == '+' || c == '-' || c == '/' || c == '\\') return c;
    return 0;
}

// "#引号" in GBK, written as bytes so that it holds whatever the execution character set.
constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";

}  // namespace

int compareText(std::string_view a, std::string_view b) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    int r = common ? std::memcmp(a.data(), b.data(), common) : 0;
    if (r != 0) return r < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int textLength(std::string_view text) {
    return static_cast<int>(text.size());
}

Text concatText(std::initializer_list<std::string_view> parts) {
    size_t total = 0;
    for (std::string_view p : parts) total += p.size();
    Text out;
    out.reserve(total);
    for (std::string_view p : parts) out.append(p);
    return out;
}

int findText(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
    if (text.empty() || needle.empty() || needle.size() > text.size()) return -1;
    size_t pos = start <= 0 ? 0 : static_cast<size_t>(start) - 1;
    size_t last = text.size() - needle.size();
    if (pos > last) return -1;
    const char* data = text.data();
    if (ignoreCase) {
        unsigned char first = foldAscii(static_cast<unsigned char>(needle[0]));
        for (; pos <= last; pos += charWidth(text, pos)) {
            if (foldAscii(static_cast<unsigned char>(data[pos])) == first &&
                matchesIgnoringCase(data + pos, needle)) {
                return static_cast<int>(pos) + 1;
            }
        }
    } else {
        char first = needle[0];
        for (; pos <= last; pos += charWidth(text, pos)) {
            if (data[pos] == first &&
                std::memcmp(data + pos + 1, needle.data() + 1, needle.size() - 1) == 0) {
                return static_cast<int>(pos) + 1;
            }
        }
    }
    return -1;
}

int findLastText(std::string_view text, std::string_view needle) {
    if (text.empty() || needle.empty() || needle.size() > text.size()) return -1;
    size_t pos = text.rfind(needle);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos) + 1;
}

Text leftText(std::string_view text, int n) {
    if (n <= 0) return Text();
    return Text(text.substr(0, static_cast<size_t>(n)));
}

Text rightText(std::string_view text, int n) {
    if (n <= 0) return Text();
    size_t count = static_cast<size_t>(n);
    if (count >= text.size()) return Text(text);
    return Text(text.substr(text.size() - count));
}

Text midText(std::string_view text, int start, int n) {
    if (text.empty() || n < 1 || start <= 0 || static_cast<size_t>(start) > text.size()) {
        return Text();
    }
    return Text(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n)));
}

Text textBetween(std::string_view source, std::string_view left, std::string_view right, int start,
                 bool caseSensitive) {
    // Markers are short and rarely hold the quote word; only those are copied.
    Text leftStore, rightStore;
    if (left.find(kQuoteWord) != std::string_view::npos) {
        leftStore = replaceText(left, kQuoteWord, "\"");
        left = leftStore;
    }
    if (right.find(kQuoteWord) != std::string_view::npos) {
        rightStore = replaceText(right, kQuoteWord, "\"");
        right = rightStore;
    }
    int p1 = findText(source, left, start, !caseSensitive);
    if (p1 == -1) return Text();
    p1 += static_cast<int>(left.size());
    int p2 = findText(source, right, p1, !caseSensitive);
    if (p2 == -1) return Text();
    return midText(source, p1, p2 - p1);
}

Text replaceText(std::string_view text, std::string_view find, std::string_view replacement) {
    if (text.empty()) return Text();
    if (find.empty() || find.size() > text.size()) return Text(text);
    Text out;
    out.reserve(text.size());
    size_t copied = 0;  // text before this index is already in out
    size_t i = 0;
    while (i + find.size() <= text.size()) {
        if (text.compare(i, find.size(), find) == 0) {
            out.append(text, copied, i - copied);
            out.append(replacement);
            i += find.size();
            copied = i;
        } else {
            i += charWidth(text, i);
        }
    }
    out.append(text, copied, std::string_view::npos);
    return out;
}

TextList splitText(std::string_view text, std::string_view delimiter) {
    TextList pieces;
    if (text.empty()) return pieces;
    if (delimiter.empty() || text.size() < delimiter.size()) {
        pieces.emplace_back(text);
        return pieces;
    }
    size_t pieceStart = 0;
    size_t i = 0;
    while (i + delimiter.size() <= text.size()) {
        if (text.compare(i, delimiter.size(), delimiter) == 0) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += delimiter.size();
            pieceStart = i;
        } else {
            i += charWidth(text, i);
        }
    }
    if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

Text trimText(std::string_view text) {
    size_t begin = 0;
    while (begin < text.size()) {
        size_t w = spaceWidth(text, begin);
        if (w == 0) break;
        begin += w;
    }
    // Walk forward by characters so that a trailing A1 A1 is taken for a full-width space
    // only where it really is one, not the second byte of one character and a stray byte.
    size_t end = begin;
    for (size_t i = begin; i < text.size();) {
        size_t w = spaceWidth(text, i);
        if (w == 0) {
            w = charWidth(text, i);
            end = i + w;
        }
        i += w;
    }
    return Text(text.substr(begin, end - begin));
}

Text removeSpaces(std::string_view text) {
    Text out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t w = spaceWidth(text, i);
        if (w == 0) {
            w = charWidth(text, i);
            out.append(text, i, w);
        }
        i += w;
    }
    return out;
}

Text toLowerText(std::string_view text) {
    Text out(text);
    for (size_t i = 0; i < out.size(); i += charWidth(out, i)) {
        out[i] = static_cast<char>(foldAscii(static_cast<unsigned char>(out[i])));
    }
    return out;
}

int textToInteger(std::string_view text) {
    // Reads one character folded to its half-width form; 0 stands for any character
    // that is neither ASCII nor a foldable full-width form (it ends the number).
    size_t i = 0;
    auto next = [&text, &i]() -> char {
        auto c = static_cast<unsigned char>(text[i]);
        if (!isLeadByte(c)) {
            ++i;
            return static_cast<char>(c);
        }
        size_t w = charWidth(text, i);
        char folded =
            w == 2 && c == 0xA3 ? halfWidthOf(static_cast<unsigned char>(text[i + 1])) : 0;
        i += w;
        return folded;
    };
    auto isWhite = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };

    char c = 0;
    do {
        if (i >= text.size()) return 0;
        c = next();
    } while (isWhite(c));

    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        if (i >= text.size()) return 0;
        c = next();
    }
    // Accumulate towards the negative side, which holds INT_MIN; saturate on overflow
    // as the Windows C runtime's atoi does.
    int value = 0;
    bool saturated = false;
    while (c >= '0' && c <= '9') {
        int digit = c - '0';
        if (!saturated) {
            if (value < (INT_MIN + digit) / 10) {
                saturated = true;
            } else {
                value = value * 10 - digit;
            }
        }
        if (i >= text.size()) break;
        c = next();
    }
    if (saturated) return negative ? INT_MIN : INT_MAX;
    if (negative) return value;
    return value == INT_MIN ? INT_MAX : -value;
}

Text spacesText(int n) {
    return n < 1 ? Text() : Text(static_cast<size_t>(n), ' ');
}

Text charText(int code) {
    auto byte = static_cast<unsigned char>(code & 0xFF);
    return byte == 0 ? Text() : Text(1, static_cast<char>(byte));
}

Text hexText(int n) {
    static const char kDigits[] = "0123456789ABCDEF";
    auto value = static_cast<unsigned int>(n) & 0xFFFFFFFFu;
    char buffer[8];
    int count = 0;
    do {
        buffer[count++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0 && count < 8);
    Text out;
    out.reserve(static_cast<size_t>(count));
    while (count > 0) out.push_back(buffer[--count]);
    return out;
}

ByteString textToBytes(std::string_view text) {
    return ByteString(text.begin(), text.end());
}

Text bytesToText(const ByteString& bytes) {
    size_t n = 0;
    while (n < bytes.size() && bytes[n] != 0) ++n;
    return Text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

ByteString blankBytes(int n) {
    return n <= 0 ? ByteString() : ByteString(static_cast<size_t>(n), 0);
}

int byteLength(const ByteString& bytes) {
    return static_cast<int>(bytes.size());
}

ByteString leftBytes(const ByteString& bytes, int n) {
    if (n <= 0) return ByteString();
    size_t count = static_cast<size_t>(n) < bytes.size() ? static_cast<size_t>(n) : bytes.size();
    return ByteString(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

ByteString concatBytes(std::initializer_list<const ByteString*> parts) {
    size_t total = 0;
    for (const ByteString* p : parts) {
        if (p) total += p->size();
    }
    ByteString out;
    out.reserve(total);
    for (const ByteString* p : parts) {
        if (p) out.insert(out.end(), p->begin(), p->end());
    }
    return out;
}

bool bytesEqual(const ByteString& a, const ByteString& b) {
    return a == b;
}
