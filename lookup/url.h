// Splitting an address into the pieces that the platform's HTTP calls take apart.
#pragma once

#include <string_view>

#include "support/text.h"

// The host, lowercased, with its ":port" suffix only when keepPort is set. An address
// without a scheme is taken as "http://".
Text urlHost(std::string_view address, bool keepPort);
// The explicit port, else 443 for an https address, else 80.
int urlPort(std::string_view address);
// From the first "/" after the host to the end, query included, in the address's own
// case; "/" when there is none.
Text urlPath(std::string_view address);
bool isHttpsAddress(std::string_view address);
