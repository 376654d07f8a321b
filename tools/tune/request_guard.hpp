// Who may talk to the tuning server: a request from this machine's browser
// that carries the session's token, names the loopback address as its Host
// (a page served under another name is a DNS-rebinding attack) and, when it
// says where it comes from, comes from the page itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cclp_tune {

struct Refusal {
    int status;  // HTTP status
    std::string message;
};

// 32 hexadecimal digits from the system's random source.
std::string randomToken();

class RequestGuard {
public:
    RequestGuard(std::string token, int port);

    // The refusal of a request with these headers and this token (from
    // the query or the X-Tune-Token header; empty when it has none), or
    // none when it may go on. `origin` is empty when the request has none.
    std::optional<Refusal> check(std::string_view host, std::string_view origin,
                                 std::string_view token) const;

    const std::string& token() const { return token_; }
    // "http://127.0.0.1:PORT/?token=..."
    std::string pageAddress() const;

private:
    bool isLoopbackHost(std::string_view host) const;

    std::string token_;
    std::string port_;
};

}  // namespace cclp_tune
