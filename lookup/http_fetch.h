// One synchronous HTTP request over the platform's internet API.
#pragma once

#include "lookup/http_request.h"
#include "support/text.h"

// The whole response body, or empty when the internet handle, the connection or the
// request could not be opened. Fills the options' outputs and merges the cookie jar.
// The HTTP status is never looked at: an error page's body comes back like any other.
ByteString fetchPageBytes(const Text& address, FetchOptions& options);
// The body up to its first zero byte; empty means nothing arrived or a step failed.
Text fetchPage(const Text& address, FetchOptions& options);
Text fetchPage(const Text& address);
