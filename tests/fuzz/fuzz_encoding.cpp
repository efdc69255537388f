// Encoding conversions on arbitrary bytes: no crash, no sanitizer report, and the
// invariants below.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/encoding.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool hasByte(const ByteString& s, unsigned char b) {
    for (unsigned char c : s) {
        if (c == b) return true;
    }
    return false;
}

bool isAscii(const ByteString& s) {
    for (unsigned char c : s) {
        if (c >= 0x80) return false;
    }
    return true;
}

ByteString convert(const ByteString& data, const char* from, const char* to, bool* ok) {
    ByteString out = convertEncoding(data, from, to, ok);
    if (!*ok) check(out.empty());
    return out;
}

// A JAVA backslash need not be an escape, so texts holding one need not come back as
// they went; every other text does.
void checkJavaToGbk(const ByteString& data) {
    bool ok = false;
    ByteString gbk = convert(data, "JAVA", "GBK", &ok);
    if (!ok) return;
    if (!hasByte(data, '\\')) check(gbk == data);
    if (hasByte(gbk, '\\')) return;
    ByteString java = convert(gbk, "GBK", "JAVA", &ok);
    check(ok && isAscii(java));
    check(convert(java, "JAVA", "GBK", &ok) == gbk && ok);
}

void checkGbkToJava(const ByteString& data) {
    bool ok = false;
    ByteString java = convert(data, "GBK", "JAVA", &ok);
    if (!ok) return;
    check(isAscii(java));
    if (hasByte(data, '\\')) return;
    check(convert(java, "JAVA", "GBK", &ok) == data && ok);
}

void checkAnyNames(const ByteString& data, unsigned from, unsigned to) {
    static const char* const kNames[] = {"JAVA",        "GBK",   "UTF-8",      "UTF-16LE", "UTF-7",
                                         "ISO-2022-JP", "UCS-4", "ISO-8859-1", "NO-SUCH"};
    constexpr unsigned kCount = sizeof(kNames) / sizeof(kNames[0]);
    bool ok = false;
    convert(data, kNames[from % kCount], kNames[to % kCount], &ok);
}

// A well-formed wide text: even length, one zero code unit and that one at the end.
void checkWide(const ByteString& wide) {
    check(wide.size() >= 2 && wide.size() % 2 == 0);
    for (size_t i = 0; i + 2 < wide.size(); i += 2) check(wide[i] != 0 || wide[i + 1] != 0);
    check(wide[wide.size() - 2] == 0 && wide[wide.size() - 1] == 0);
}

bool hasReplacement(const ByteString& wide) {
    for (size_t i = 0; i + 1 < wide.size(); i += 2) {
        if (wide[i] == 0xFD && wide[i + 1] == 0xFF) return true;
    }
    return false;
}

void checkCodePages(const std::string& text, const ByteString& raw, int codePage) {
    const std::string upToZero = text.substr(0, text.find('\0'));
    ByteString wide = textToWide(text, codePage);
    checkWide(wide);
    check(wide.size() / 2 - 1 <= upToZero.size());
    if (!hasReplacement(wide)) check(wideToText(wide, codePage) == upToZero);

    // Whatever comes out of wideToText is valid text in the code page.
    Text out = wideToText(raw, codePage);
    check(out.find('\0') == std::string::npos);
    check(wideToText(textToWide(out, codePage), codePage) == out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const unsigned from = in.ConsumeIntegral<uint8_t>();
    const unsigned to = in.ConsumeIntegral<uint8_t>();
    const int codePage = in.ConsumeBool() ? 936 : 65001;
    const std::string text = in.ConsumeRemainingBytesAsString();
    const ByteString bytes(text.begin(), text.end());

    checkJavaToGbk(bytes);
    checkGbkToJava(bytes);
    checkAnyNames(bytes, from, to);
    checkCodePages(text, bytes, codePage);
    return 0;
}
