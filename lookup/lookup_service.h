// The lookup service as this program sees it: one base address, the profile page that
// hands out the session tokens, and the poll endpoint with its query keys in order.
#pragma once

#include <array>
#include <string_view>

#include "support/text.h"

inline constexpr std::string_view kLookupRegion = "china-ionia-1";
inline constexpr std::string_view kProfilePagePath = "/profile/china-ionia-1/~/";
inline constexpr std::string_view kPollPath = "/lookup/xmpp/poll";
// The service rejects polls whose keys come in another order.
inline constexpr std::array<std::string_view, 5> kPollQueryKeys = {
    "diamondprox", "REQUIRED_QUICKFIND_API_KEY", "PBK", "regionProxy", "summoner"};

// Scheme and host, no trailing slash. Fixed when the program is built.
const Text& lookupBase();
// In-process tests run their own service on another port; the program never calls this.
void setLookupBaseForTesting(Text base);

Text profilePageAddress();
// Everything of a poll address up to and including "&summoner="; the encoded name
// follows directly. The tokens go in exactly as the profile page wrote them.
Text buildPollPrefix(std::string_view diamondprox, std::string_view apiKey, std::string_view pbk);
// The service's host name without port, as the about window names it.
Text hostOfBase();
