#include "support/encoding.h"

#include <cerrno>
#include <cstddef>
#include <string>

#include "iconv.h"

// The code-page conversions go through libiconv on every platform, not through
// MultiByteToWideChar/WideCharToMultiByte, so that the native tests see exactly what the
// Windows build does. Their replacement rules follow Windows' own defaults: an invalid
// input byte becomes U+FFFD and the conversion goes on with the next byte; a character
// that GBK cannot represent becomes "?", and a lone surrogate becomes U+FFFD (which is
// "?" in GBK as well).

namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

constexpr int kMaxEnlargements = 11;

const char* codePageName(int codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 65001:
            return "UTF-8";
        default:
            return nullptr;
    }
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? a[i] - ('a' - 'A') : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? b[i] - ('a' - 'A') : b[i];
        if (x != y) return false;
    }
    return true;
}

bool isHexDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool isAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "JAVA" text is ASCII with \uXXXX escapes, but libiconv reads any other byte as
// ISO-8859-1 (so stray UTF-8 turns into GBK look-alikes such as "é°±") and takes every
// letter G-Z in an escape for a digit, giving an unrelated character. Both are rejected
// here instead of converted into something plausible and wrong.
bool isWellFormedJava(const ByteString& data) {
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] >= 0x80) return false;
        if (data[i] != '\\' || i + 5 >= data.size() || data[i + 1] != 'u') continue;
        bool allAlnum = true;
        bool allHex = true;
        for (size_t k = i + 2; k < i + 6; ++k) {
            allAlnum = allAlnum && isAsciiAlnum(data[k]);
            allHex = allHex && isHexDigit(data[k]);
        }
        if (allAlnum && !allHex) return false;
    }
    return true;
}

// Output of one iconv run: out[0, produced) holds what was written so far.
struct Output {
    ByteString bytes;
    size_t produced = 0;

    char* cursor() { return reinterpret_cast<char*>(bytes.data()) + produced; }
    size_t room() const { return bytes.size() - produced; }
    void advanceTo(const char* end) {
        produced = static_cast<size_t>(end - reinterpret_cast<const char*>(bytes.data()));
    }
    void append(std::string_view s) {
        if (room() < s.size()) bytes.resize(produced + s.size() + bytes.size() / 2 + 16);
        for (char c : s) bytes[produced++] = static_cast<unsigned char>(c);
    }
};

// One pass of iconv over [*in, *in + *inLeft), or the final flush when in is null.
// Returns 0 on success, else the errno value it stopped with.
int runIconv(iconv_t cd, const char** in, size_t* inLeft, Output& out) {
    char* cursor = out.cursor();
    size_t room = out.room();
    size_t r =
        in ? iconv(cd, in, inLeft, &cursor, &room) : iconv(cd, nullptr, nullptr, &cursor, &room);
    int error = errno;
    out.advanceTo(cursor);
    return r == static_cast<size_t>(-1) ? error : 0;
}

// Converts with libiconv where every invalid or unconvertible input sequence is handed
// to onBadInput, which must consume at least one byte of it; false when libiconv fails
// otherwise.
template <typename OnBadInput>
bool convertTolerantly(iconv_t cd, std::string_view input, Output& out, OnBadInput onBadInput) {
    const char* in = input.data();
    size_t inLeft = input.size();
    while (true) {
        int error = runIconv(cd, inLeft ? &in : nullptr, &inLeft, out);
        if (error == 0) {
            if (inLeft == 0) return true;
        } else if (error == E2BIG) {
            out.bytes.resize(out.bytes.size() + inLeft * 2 + 16);
        } else if (error == EILSEQ || error == EINVAL) {
            size_t used = onBadInput(in, inLeft, out);
            in += used;
            inLeft -= used;
        } else {
            return false;
        }
    }
}

unsigned unitAt(std::string_view utf16, size_t index) {
    return static_cast<unsigned char>(utf16[2 * index]) |
           static_cast<unsigned>(static_cast<unsigned char>(utf16[2 * index + 1])) << 8;
}

bool isHighSurrogate(unsigned u) {
    return u >= 0xD800 && u < 0xDC00;
}
bool isLowSurrogate(unsigned u) {
    return u >= 0xDC00 && u < 0xE000;
}

// The UTF-16LE code units of wide before its first zero unit (a trailing odd byte and a
// missing terminator are tolerated), with every lone surrogate replaced by U+FFFD.
std::string pairedUnits(const ByteString& wide) {
    std::string_view bytes(reinterpret_cast<const char*>(wide.data()), wide.size());
    size_t units = wide.size() / 2;
    std::string out;
    out.reserve(units * 2);
    for (size_t k = 0; k < units; ++k) {
        unsigned u = unitAt(bytes, k);
        if (u == 0) break;
        if (isHighSurrogate(u) && k + 1 < units && isLowSurrogate(unitAt(bytes, k + 1))) {
            out.append(bytes.substr(2 * k, 4));
            ++k;
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            out.append("\xFD\xFF");
        } else {
            out.append(bytes.substr(2 * k, 2));
        }
    }
    return out;
}

}  // namespace

ByteString convertEncoding(const ByteString& data, std::string_view fromName,
                           std::string_view toName, bool* ok) {
    if (ok) *ok = false;
    const std::string from(fromName);
    const std::string to(toName);
    Converter converter(to.c_str(), from.c_str());
    if (!converter.valid()) return ByteString();
    if (data.empty()) {
        if (ok) *ok = true;
        return ByteString();
    }
    if (equalsIgnoringCase(fromName, "JAVA") && !isWellFormedJava(data)) return ByteString();

    Output out;
    out.bytes.resize(data.size());
    const char* in = reinterpret_cast<const char*>(data.data());
    size_t inLeft = data.size();
    int enlargements = 0;
    // The last pass flushes the converter's shift state (nothing for JAVA or GBK).
    bool flushed = false;
    while (!flushed) {
        bool flushing = inLeft == 0;
        int error = runIconv(converter.get(), flushing ? nullptr : &in, &inLeft, out);
        if (error == 0) {
            flushed = flushing;
            continue;
        }
        if (error != E2BIG || enlargements == kMaxEnlargements) return ByteString();
        ++enlargements;
        out.bytes.resize(out.bytes.size() + data.size() / 2 + 128);
    }
    out.bytes.resize(out.produced);
    if (ok) *ok = true;
    return std::move(out.bytes);
}

ByteString textToWide(std::string_view text, int codePage) {
    const ByteString emptyWide(2, 0);
    const char* name = codePageName(codePage);
    if (!name) return emptyWide;
    Converter converter("UTF-16LE", name);
    if (!converter.valid()) return emptyWide;

    text = text.substr(0, text.find('\0'));
    Output out;
    // Every input byte gives at most one code unit; four bytes at most two.
    out.bytes.resize(text.size() * 2 + 2);
    bool done =
        convertTolerantly(converter.get(), text, out, [](const char*, size_t, Output& o) -> size_t {
            o.append("\xFD\xFF");
            return 1;
        });
    if (!done) return emptyWide;
    out.append(std::string_view("\0\0", 2));
    out.bytes.resize(out.produced);
    return std::move(out.bytes);
}

Text wideToText(const ByteString& wide, int codePage) {
    const char* name = codePageName(codePage);
    if (!name) return Text();
    Converter converter(name, "UTF-16LE");
    if (!converter.valid()) return Text();

    const std::string units = pairedUnits(wide);
    const std::string_view defaultChar = codePage == 65001 ? "\xEF\xBF\xBD" : "?";
    Output out;
    // Each code unit becomes at most three bytes, a surrogate pair four.
    out.bytes.resize(units.size() / 2 * 3 + 1);
    auto skipCharacter = [defaultChar](const char* in, size_t left, Output& o) -> size_t {
        o.append(defaultChar);
        if (left < 2) return left;
        return isHighSurrogate(unitAt(std::string_view(in, left), 0)) && left >= 4 ? 4 : 2;
    };
    if (!convertTolerantly(converter.get(), units, out, skipCharacter)) return Text();
    out.bytes.resize(out.produced);
    return bytesToText(out.bytes);
}
