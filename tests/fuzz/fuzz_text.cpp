// Text helpers on arbitrary bytes: no crash, no sanitizer report, and the invariants below.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/text.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool isLead(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

char fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

Text foldAll(std::string_view s) {
    Text out(s);
    for (char& c : out) c = fold(c);
    return out;
}

// The first case-sensitive match at a character boundary, scanning from start as the
// helpers do; 1-based, or -1.
int referenceFind(std::string_view text, std::string_view needle, int start) {
    if (text.empty() || needle.empty() || needle.size() > text.size()) return -1;
    size_t pos = start <= 0 ? 0 : static_cast<size_t>(start) - 1;
    while (pos + needle.size() <= text.size()) {
        if (text.compare(pos, needle.size(), needle) == 0) return static_cast<int>(pos) + 1;
        pos += isLead(text[pos]) && pos + 1 < text.size() ? 2 : 1;
    }
    return -1;
}

void checkFind(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
    int r = findText(text, needle, start, ignoreCase);
    if (!ignoreCase) {
        check(r == referenceFind(text, needle, start));
        return;
    }
    if (r == -1) return;
    check(r >= 1 && r >= start);
    check(static_cast<size_t>(r - 1) + needle.size() <= text.size());
    check(foldAll(text.substr(static_cast<size_t>(r - 1), needle.size())) == foldAll(needle));
}

void checkFindLast(std::string_view text, std::string_view needle) {
    int r = findLastText(text, needle);
    size_t expected = needle.empty() ? std::string_view::npos : text.rfind(needle);
    check(r == (expected == std::string_view::npos ? -1 : static_cast<int>(expected) + 1));
}

void checkBetween(std::string_view source, std::string_view left, std::string_view right, int start,
                  bool caseSensitive) {
    Text between = textBetween(source, left, right, start, caseSensitive);
    check(between.size() < source.size() || between.empty());
    constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";
    bool plainMarkers = left.find(kQuoteWord) == std::string_view::npos &&
                        right.find(kQuoteWord) == std::string_view::npos;
    if (!between.empty() && plainMarkers) {
        Text framed = concatText({left, between, right});
        if (caseSensitive) {
            check(source.find(framed) != std::string_view::npos);
        } else {
            check(foldAll(source).find(foldAll(framed)) != std::string::npos);
        }
    }
}

void checkSplit(std::string_view text, std::string_view delimiter) {
    TextList pieces = splitText(text, delimiter);
    if (text.empty()) {
        check(pieces.empty());
        return;
    }
    Text joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i) joined += delimiter;
        joined += pieces[i];
    }
    // Only a delimiter matched at the very end leaves no last piece behind it.
    bool endsWithDelimiter = !delimiter.empty() && text.size() >= delimiter.size() &&
                             text.substr(text.size() - delimiter.size()) == delimiter;
    if (endsWithDelimiter) {
        check(joined == text || joined + Text(delimiter) == text);
    } else {
        check(joined == text);
    }
}

void checkReplace(std::string_view text, std::string_view find, std::string_view replacement) {
    Text replaced = replaceText(text, find, replacement);
    check(replaceText(text, find, find) == text);
    if (find.empty() || text.find(find) == std::string_view::npos) check(replaced == text);
    if (replacement.empty()) check(replaced.size() <= text.size());
}

void checkSpaces(std::string_view text) {
    Text trimmed = trimText(text);
    check(text.find(trimmed) != std::string_view::npos);
    check(trimText(trimmed) == trimmed);
    check(trimmed.empty() || trimmed[0] != ' ');

    Text removed = removeSpaces(text);
    check(removed.size() <= text.size());
    check(removeSpaces(removed) == removed);

    Text lowered = toLowerText(text);
    check(lowered.size() == text.size());
    check(toLowerText(lowered) == lowered);
}

void checkInteger(std::string_view text) {
    int value = textToInteger(text);
    for (char c : text) {
        if (isLead(c)) return;
    }
    // Plain ASCII reads as strtoll does, saturated to int.
    std::string terminated(text);
    long long expected = std::strtoll(terminated.c_str(), nullptr, 10);
    if (expected > INT_MAX) expected = INT_MAX;
    if (expected < INT_MIN) expected = INT_MIN;
    check(value == expected);
}

void checkNumbers(int n) {
    Text hex = hexText(n);
    check(!hex.empty() && hex.size() <= 8);
    check(std::strtoul(hex.c_str(), nullptr, 16) == static_cast<uint32_t>(n));
    check(charText(n).size() == ((n & 0xFF) ? 1u : 0u));
}

void checkSlices(std::string_view text, int a, int b) {
    size_t len = text.size();
    check(leftText(text, a).size() == (a <= 0 ? 0 : std::min<size_t>(len, a)));
    check(rightText(text, a).size() == (a <= 0 ? 0 : std::min<size_t>(len, a)));
    Text mid = midText(text, a, b);
    if (a >= 1 && b >= 1 && static_cast<size_t>(a) <= len) {
        check(mid == text.substr(static_cast<size_t>(a) - 1, static_cast<size_t>(b)));
    } else {
        check(mid.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int start = in.ConsumeIntegralInRange<int>(-2, 40);
    const int number = in.ConsumeIntegral<int>();
    const bool flag = in.ConsumeBool();
    const std::string a = in.ConsumeRandomLengthString(16);
    const std::string b = in.ConsumeRandomLengthString(16);
    const std::string text = in.ConsumeRemainingBytesAsString();

    checkFind(text, a, start, flag);
    checkFindLast(text, a);
    checkBetween(text, a, b, start, flag);
    checkSplit(text, a);
    checkReplace(text, a, b);
    checkSpaces(text);
    checkInteger(text);
    checkNumbers(number);
    checkSlices(text, start, number);
    return 0;
}
