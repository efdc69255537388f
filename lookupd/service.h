// The service's answers: which request gets which reply, faults included. Pure: the
// server only carries out the reply, its waits and its way of delivery.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lookupd/fault_plan.h"
#include "lookupd/http_reply.h"
#include "lookupd/http_request.h"
#include "lookupd/service_data.h"
#include "lookupd/tokens.h"

namespace lookupd {

inline constexpr std::string_view kProfilePath = "/profile/china-ionia-1/~/";
inline constexpr std::string_view kPollPath = "/lookup/xmpp/poll";

class Service {
  public:
    // extraFaults (from the command line) apply after the data file's own.
    Service(ServiceData data, Tokens tokens, std::vector<FaultRule> extraFaults = {});

    // fallbackBase is used when the request names no usable Host.
    Reply handle(const HttpRequest& request, std::string_view fallbackBase) const;

    const Tokens& tokens() const { return tokens_; }

  private:
    Reply profile() const;
    Reply poll(const HttpRequest& request, std::string_view base) const;
    const Game* gameOf(const std::string& name) const;

    std::vector<Game> games_;
    std::unordered_map<std::string, std::size_t> gameByPlayer_;
    Tokens tokens_;
    FaultPlan faults_;
};

// "http://" and the request's Host header, the address the client used; fallbackBase
// when the header is missing or holds anything but a host name or address and a port.
std::string baseAddressFor(const HttpRequest& request, std::string_view fallbackBase);

// The endpoints that the program's HTTP tests fetch: /test/echo, /test/cookies,
// /test/redirect, /test/empty, /test/zero, /test/status500. False for other paths.
bool testEndpoint(const HttpRequest& request, Reply& reply);

}  // namespace lookupd
