#include "lookupd/profile_page.h"

namespace lookupd {

namespace {

std::string hiddenField(const char* name, const std::string& value) {
    return std::string("<input type=\"hidden\" name=\"") + name + "\" value=\"" + value + "\">\n";
}

}  // namespace

std::string renderProfilePage(const Tokens& tokens, std::size_t padTo) {
    std::string page =
        "<!DOCTYPE html>\n"
        "<html lang=\"en\">\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<title>Summoner lookup - Ionia (china-ionia-1)</title>\n"
        "<link rel=\"stylesheet\" href=\"/assets/css/site.css\">\n"
        "</head>\n"
        "<body class=\"profile\">\n"
        "<div id=\"header\"><a href=\"/\" class=\"logo\">Live game lookup</a></div>\n"
        "<div id=\"content\">\n"
        "<h1>Find a summoner on Ionia</h1>\n"
        "<form id=\"quickfind\" action=\"/lookup/xmpp/poll\" method=\"get\">\n";
    page += hiddenField("diamondprox", tokens.diamondprox);
    page += hiddenField("REQUIRED_QUICKFIND_API_KEY", tokens.apiKey);
    page += hiddenField("PBK", tokens.pbk);
    page +=
        "<input type=\"hidden\" name=\"regionProxy\" value=\"china-ionia-1\">\n"
        "<input type=\"text\" name=\"summoner\" placeholder=\"Summoner name\" maxlength=\"32\">\n"
        "<button type=\"submit\" class=\"button magenta\">Search</button>\n"
        "</form>\n"
        "<p class=\"hint\">Games are looked up live; a search takes a few seconds.</p>\n"
        "</div>\n"
        "</body>\n"
        "</html>\n";
    const std::string open = "<!-- ";
    const std::string close = " -->\n";
    const std::size_t length = page.size() + open.size() + close.size();
    if (padTo > length) page += open + std::string(padTo - length, '.') + close;
    return page;
}

}  // namespace lookupd
