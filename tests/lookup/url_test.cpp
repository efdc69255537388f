#include "lookup/url.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const char* address;
    const char* host;
    const char* hostWithPort;
    int port;
    const char* path;
    bool https;
};

TEST(AddressSplitting, SplitsIntoHostPortAndPath) {
    const AddressCase cases[] = {
        {"http://Example.test:8080/a/b?x=1", "example.test", "example.test:8080", 8080, "/a/b?x=1",
         false},
        {"HTTPS://Host.test/x", "host.test", "host.test", 443, "/x", true},
        {"https://secure.test:8443", "secure.test", "secure.test:8443", 8443, "/", true},
        {"example.test/p", "example.test", "example.test", 80, "/p", false},
        {"http://host.test", "host.test", "host.test", 80, "/", false},
        {"http://Host.Test/Mixed/Case?Q=A", "host.test", "host.test", 80, "/Mixed/Case?Q=A", false},
        {"http://127.0.0.1:8730/lookup/xmpp/poll?summoner=%E5%BC%A0", "127.0.0.1", "127.0.0.1:8730",
         8730, "/lookup/xmpp/poll?summoner=%E5%BC%A0", false},
        // A host that is part of the scheme's own letters.
        {"http://h/x", "h", "h", 80, "/x", false},
        {"http://tp:81/x", "tp", "tp:81", 81, "/x", false},
        // "http://" later in an address without scheme does not mark the host.
        {"example.test/go?to=http://other.test/", "example.test", "example.test", 80,
         "/go?to=http://other.test/", false},
        // Only a real "https://" scheme makes an address secure.
        {"httpsfoo.test/x", "httpsfoo.test", "httpsfoo.test", 80, "/x", false},
        {"", "", "", 80, "/", false},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(urlHost(c.address, false), c.host);
        EXPECT_EQ(urlHost(c.address, true), c.hostWithPort);
        EXPECT_EQ(urlPort(c.address), c.port);
        EXPECT_EQ(urlPath(c.address), c.path);
        EXPECT_EQ(isHttpsAddress(c.address), c.https);
    }
}

}  // namespace
