#include "lookupd/service.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "lookupd/answer_writer.h"
#include "lookupd/profile_page.h"
#include "lookupd/query.h"

namespace lookupd {

namespace {

constexpr const char* kJson = "application/json; charset=utf-8";
constexpr const char* kHtml = "text/html; charset=utf-8";

Reply jsonReply(std::string body) {
    Reply reply = textReply(200, std::move(body));
    reply.contentType = kJson;
    return reply;
}

// The answer that a fault puts in place of the normal one; false when the fault only
// changes how the normal answer goes out.
bool replaceAnswer(const Fault& fault, Reply& reply) {
    switch (fault.kind) {
        case FaultKind::Backlog:
            reply = jsonReply(renderErrorAnswer(kBacklogText));
            return true;
        case FaultKind::Error:
            reply = jsonReply(renderErrorAnswer(fault.text));
            return true;
        case FaultKind::Empty:
            reply = textReply(200, "");
            reply.contentType = kHtml;
            return true;
        case FaultKind::Status500:
            reply = textReply(500,
                              "<html><head><title>500 Internal Server Error</title></head>\n"
                              "<body><h1>Internal Server Error</h1></body></html>\n");
            reply.contentType = kHtml;
            return true;
        case FaultKind::Cut:
            reply.delivery = Delivery::HalfBody;
            return false;
        case FaultKind::Hang:
            reply.delivery = Delivery::Nothing;
            reply.holdMs = fault.ms;
            return false;
        case FaultKind::Delay:
        case FaultKind::Huge:
            return false;
    }
    return false;
}

std::size_t paddingFor(const FaultEffect& effect) {
    return effect.answer && effect.answer->kind == FaultKind::Huge ? effect.answer->bytes : 0;
}

Reply withFault(Reply reply, const FaultEffect& effect) {
    if (effect.answer) replaceAnswer(*effect.answer, reply);
    reply.delayMs = effect.delayMs;
    return reply;
}

bool isHostText(std::string_view host) {
    if (host.empty() || host.size() > 255) return false;
    for (char c : host) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':';
        if (!plain && c != '[' && c != ']') return false;
    }
    return true;
}

}  // namespace

Service::Service(ServiceData data, Tokens tokens, std::vector<FaultRule> extraFaults)
    : games_(std::move(data.games)), tokens_(std::move(tokens)) {
    for (std::size_t i = 0; i < games_.size(); ++i) {
        for (const Player& player : games_[i].players) gameByPlayer_.emplace(player.name, i);
        for (const std::string& name : games_[i].alsoAnsweredFor) gameByPlayer_.emplace(name, i);
    }
    std::vector<FaultRule> rules = std::move(data.faults);
    for (FaultRule& rule : extraFaults) rules.push_back(std::move(rule));
    faults_ = FaultPlan(std::move(rules));
}

const Game* Service::gameOf(const std::string& name) const {
    const auto found = gameByPlayer_.find(name);
    return found == gameByPlayer_.end() ? nullptr : &games_[found->second];
}

Reply Service::profile() const {
    const FaultEffect effect = faults_.forProfile();
    Reply reply = textReply(200, renderProfilePage(tokens_, paddingFor(effect)));
    reply.contentType = kHtml;
    return withFault(std::move(reply), effect);
}

Reply Service::poll(const HttpRequest& request, std::string_view base) const {
    std::string name;
    switch (checkPollQuery(request.query, tokens_, name)) {
        case PollCheck::BadToken:
            return jsonReply(renderErrorAnswer(kInvalidTokenText));
        case PollCheck::BadName:
            return jsonReply(renderErrorAnswer(kInvalidNameText));
        case PollCheck::Ok:
            break;
    }
    const FaultEffect effect = faults_.forPlayer(name);
    const std::size_t padTo = paddingFor(effect);
    const Game* game = gameOf(name);
    Reply reply =
        jsonReply(game ? renderGameAnswer(*game, base, padTo) : renderNotInGameAnswer(padTo));
    return withFault(std::move(reply), effect);
}

Reply Service::handle(const HttpRequest& request, std::string_view fallbackBase) const {
    Reply reply;
    if (testEndpoint(request, reply)) return reply;
    const bool knownPath = request.path == kProfilePath || request.path == kPollPath;
    if (!knownPath) return textReply(404, "not found\n");
    if (request.method != "GET") {
        reply = textReply(405, "method not allowed\n");
        reply.headers.push_back("Allow: GET");
        return reply;
    }
    if (request.path == kProfilePath) return profile();
    return poll(request, baseAddressFor(request, fallbackBase));
}

std::string baseAddressFor(const HttpRequest& request, std::string_view fallbackBase) {
    const std::string* host = request.header("Host");
    if (!host || !isHostText(*host)) return std::string(fallbackBase);
    return "http://" + *host;
}

bool testEndpoint(const HttpRequest& request, Reply& reply) {
    const std::string& path = request.path;
    if (path.compare(0, 6, "/test/") != 0) return false;
    if (path == "/test/echo") {
        reply = textReply(200, request.raw);
        return true;
    }
    if (request.method != "GET") {
        reply = textReply(405, "method not allowed\n");
        reply.headers.push_back("Allow: GET");
        return true;
    }
    if (path == "/test/cookies") {
        reply = textReply(200, "two cookies set\n");
        reply.headers = {"Set-Cookie: a=1; path=/", "Set-Cookie: b=2; path=/"};
    } else if (path == "/test/redirect") {
        std::optional<std::string> target;
        for (const auto& [key, value] : splitQuery(request.query)) {
            if (key == "to") target = percentDecode(value);
        }
        // A control character would let the target break out of its header line.
        const bool usable =
            target && !target->empty() && std::none_of(target->begin(), target->end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
            });
        if (!usable) {
            reply = textReply(400, "redirect needs to=PATH\n");
        } else {
            reply = textReply(302, "redirecting to " + *target + "\n");
            reply.headers.push_back("Location: " + *target);
        }
    } else if (path == "/test/page") {
        // Serves the page its query spells out, e.g. a profile page missing a field.
        std::optional<std::string> body;
        for (const auto& [key, value] : splitQuery(request.query)) {
            if (key == "body") body = percentDecode(value);
        }
        reply = body ? textReply(200, *body) : textReply(400, "page needs body=TEXT\n");
        reply.contentType = "text/html";
    } else if (path == "/test/empty") {
        reply = textReply(200, "");
    } else if (path == "/test/zero") {
        reply = textReply(200, std::string("AB\0CD", 5));
        reply.contentType = "application/octet-stream";
    } else if (path == "/test/status500") {
        reply = textReply(500, "server error page");
    } else {
        reply = textReply(404, "not found\n");
    }
    return true;
}

}  // namespace lookupd
