// The three tokens that the profile page hands out in hidden form fields, and the poll
// prefix built from them.
#pragma once

#include <string_view>

#include "support/text.h"

struct LookupSession {
    Text diamondprox;
    Text REQUIRED_QUICKFIND_API_KEY;
    Text PBK;
    Text pollPrefix;
};

// A missing field leaves its token empty; the prefix is built all the same, so a failed
// initialisation still replaces every field of the previous session.
LookupSession readSessionTokens(std::string_view page);
bool sessionReady(const LookupSession& session);
