#include "tune/tune_server.hpp"

#include <functional>
#include <optional>
#include <string_view>

#include <httplib.h>

#include "cclp_score_cli/exit_status.hpp"
#include "recording/document_error.hpp"
#include "tune/page_assets.hpp"
#include "tune/request_guard.hpp"

namespace cclp_tune {
namespace {

constexpr std::string_view kTokenPlaceholder = "@TOKEN@";

void setCommonHeaders(httplib::Response& res) {
    res.set_header("Content-Security-Policy",
                   "default-src 'self'; img-src 'self' data:; frame-ancestors 'none'");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_header("Cache-Control", "no-store");
}

// Spelled with its charset, the type is one cpp-httplib leaves uncompressed:
// on the loopback, compressing each answer (Brotli at its slowest setting)
// would cost more than sending it.
constexpr const char* kJsonType = "application/json; charset=utf-8";

void sendJson(httplib::Response& res, int status, const Json& body) {
    res.status = status;
    res.set_content(body.dump(-1, ' ', false, Json::error_handler_t::replace), kJsonType);
}

void sendError(httplib::Response& res, int status, const std::string& message) {
    sendJson(res, status, Json{{"error", message}});
}

// The API's answer to a failure: a bad document names its field (400), a
// caliper the finder refuses is unusable (422), a save the overwrite rules
// forbid conflicts (409); anything else is the server's failure (500).
void answer(httplib::Response& res, const std::function<Json()>& work) {
    try {
        sendJson(res, 200, work());
    } catch (const cclp_recording::InputError& error) {
        sendError(res, 400, error.what());
    } catch (const cclp_cli::UsageError& error) {
        sendError(res, 422, error.what());
    } catch (const SaveRefused& error) {
        sendError(res, 409, error.what());
    } catch (const std::exception& error) {
        sendError(res, 500, error.what());
    }
}

std::string withToken(std::string_view html, const std::string& token) {
    std::string page(html);
    for (std::size_t at = page.find(kTokenPlaceholder); at != std::string::npos;
         at = page.find(kTokenPlaceholder, at + token.size())) {
        page.replace(at, kTokenPlaceholder.size(), token);
    }
    return page;
}

}  // namespace

struct TuneServer::Impl {
    TuneSession& session;
    std::string token;
    std::optional<RequestGuard> guard;
    httplib::Server server;

    Impl(TuneSession& s, std::string t) : session(s), token(std::move(t)) {}

    httplib::Server::HandlerResponse screen(const httplib::Request& req, httplib::Response& res) {
        setCommonHeaders(res);
        const std::string origin = req.get_header_value("Origin");
        std::string given = req.get_header_value("X-Tune-Token");
        if (given.empty()) given = req.get_param_value("token");
        if (const std::optional<Refusal> refusal =
                guard->check(req.get_header_value("Host"), origin, given)) {
            sendError(res, refusal->status, refusal->message);
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    }

    void serveAsset(std::string_view name, httplib::Response& res) const {
        const PageAsset* asset = findPageAsset(name);
        if (asset == nullptr) return sendError(res, 404, "no such page");
        const std::string body = asset->name == "index.html" ? withToken(asset->body, token)
                                                             : std::string(asset->body);
        res.set_content(body, std::string(asset->contentType));
    }

    void route() {
        server.set_payload_max_length(kMaxRequestBody);
        // An answer is written in pieces; waiting to fill packets would hold
        // each redraw up by the peer's delayed acknowledgement.
        server.set_tcp_nodelay(true);
        server.set_pre_routing_handler(
            [this](const httplib::Request& req, httplib::Response& res) { return screen(req, res); });
        server.Get("/api/state", [this](const httplib::Request&, httplib::Response& res) {
            answer(res, [&] { return session.state(); });
        });
        const auto post = [this](const char* path, Json (*call)(TuneSession&, std::string_view)) {
            server.Post(path, [this, call](const httplib::Request& req, httplib::Response& res) {
                answer(res, [&] { return call(session, req.body); });
            });
        };
        post("/api/score", [](TuneSession& s, std::string_view body) { return s.score(body); });
        post("/api/check", [](TuneSession& s, std::string_view body) { return s.check(body); });
        post("/api/save", [](TuneSession& s, std::string_view body) { return s.save(body); });
        server.Get("/", [this](const httplib::Request&, httplib::Response& res) {
            serveAsset("index.html", res);
        });
        server.Get(R"(/([A-Za-z0-9_.-]+))", [this](const httplib::Request& req, httplib::Response& res) {
            serveAsset(req.matches[1].str(), res);
        });
        server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
            if (!res.body.empty()) return;
            sendError(res, res.status,
                      res.status == 413 ? "the request is larger than " +
                                              std::to_string(kMaxRequestBody >> 20) + " MiB"
                                        : "refused (HTTP " + std::to_string(res.status) + ")");
        });
    }
};

TuneServer::TuneServer(TuneSession& session, std::string token)
    : impl_(std::make_unique<Impl>(session, std::move(token))) {
    impl_->route();
}

TuneServer::~TuneServer() = default;

int TuneServer::bind(int port) {
    const bool bound = port == 0 ? (port = impl_->server.bind_to_any_port("127.0.0.1")) > 0
                                 : impl_->server.bind_to_port("127.0.0.1", port);
    if (!bound) {
        throw cclp_cli::UsageError("tune: cannot listen on 127.0.0.1:" +
                                   (port > 0 ? std::to_string(port) : std::string("any port")));
    }
    impl_->guard.emplace(impl_->token, port);
    return port;
}

void TuneServer::run() { impl_->server.listen_after_bind(); }

void TuneServer::stop() { impl_->server.stop(); }

std::string TuneServer::pageAddress() const { return impl_->guard->pageAddress(); }

}  // namespace cclp_tune
