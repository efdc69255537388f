#include "lookup/lookup_service.h"

#include <utility>

#include "lookup/url.h"

#ifndef MOXAVEL_LOOKUP_BASE
#error "MOXAVEL_LOOKUP_BASE must name the lookup service (set by lookup/CMakeLists.txt)"
#endif

namespace {

Text& baseStorage() {
    static Text base = MOXAVEL_LOOKUP_BASE;
    return base;
}

}  // namespace

const Text& lookupBase() {
    return baseStorage();
}

void setLookupBaseForTesting(Text base) {
    baseStorage() = std::move(base);
}

Text profilePageAddress() {
    return concatText({lookupBase(), kProfilePagePath});
}

Text buildPollPrefix(std::string_view diamondprox, std::string_view apiKey, std::string_view pbk) {
    return concatText({lookupBase(), kPollPath,     "?", kPollQueryKeys[0],
                       "=",          diamondprox,   "&", kPollQueryKeys[1],
                       "=",          apiKey,        "&", kPollQueryKeys[2],
                       "=",          pbk,           "&", kPollQueryKeys[3],
                       "=",          kLookupRegion, "&", kPollQueryKeys[4],
                       "="});
}

Text hostOfBase() {
    return urlHost(lookupBase(), false);
}
