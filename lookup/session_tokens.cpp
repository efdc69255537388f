#include "lookup/session_tokens.h"

#include "lookup/lookup_service.h"

namespace {

// Each value runs to the first "\">" after its marker; markers match in any letter case.
constexpr std::string_view kDiamondproxMarker = R"(name="diamondprox" value=")";
constexpr std::string_view kApiKeyMarker = R"(name="REQUIRED_QUICKFIND_API_KEY" value=")";
constexpr std::string_view kPbkMarker = R"(name="PBK" value=")";
constexpr std::string_view kValueEnd = R"(">)";

}  // namespace

LookupSession readSessionTokens(std::string_view page) {
    LookupSession session;
    session.diamondprox = textBetween(page, kDiamondproxMarker, kValueEnd);
    session.REQUIRED_QUICKFIND_API_KEY = textBetween(page, kApiKeyMarker, kValueEnd);
    session.PBK = textBetween(page, kPbkMarker, kValueEnd);
    session.pollPrefix =
        buildPollPrefix(session.diamondprox, session.REQUIRED_QUICKFIND_API_KEY, session.PBK);
    return session;
}

bool sessionReady(const LookupSession& session) {
    return !session.diamondprox.empty() && !session.REQUIRED_QUICKFIND_API_KEY.empty() &&
           !session.PBK.empty();
}
