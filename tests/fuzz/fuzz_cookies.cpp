// The jar and the new cookies come from Set-Cookie lines of any server. Input: the jar,
// a line feed, the new cookies.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lookup/cookies.h"
#include "support/text.h"

namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

bool isAscii(std::string_view text) {
    for (unsigned char byte : text) {
        if (byte >= 0x80) return false;
    }
    return true;
}

bool listHas(const TextList& list, const Text& item) {
    for (const Text& entry : list) {
        if (entry == item) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    input = input.substr(0, input.find('\0'));  // texts never hold a zero byte
    std::size_t split = input.find('\n');
    Text jar(input.substr(0, split));
    Text newCookies(split == std::string_view::npos ? std::string_view() : input.substr(split + 1));

    const bool ascii = isAscii(input);
    const TextList oldItems = splitText(removeSpaces(jar), ";");
    Text merged = mergeCookies(jar, newCookies);
    require(merged == jar);
    if (!ascii) return 0;

    // In ASCII every split is exact, so the result can be taken apart again.
    require(newCookies.find(' ') == Text::npos);
    const TextList newItems = splitText(newCookies, ";");
    for (const Text& item : splitText(jar, "; ")) {
        require(rightText(item, 8) != "=deleted");
        require(listHas(newItems, item) || listHas(oldItems, item));
    }
    return 0;
}
