#include "tune/request_guard.hpp"

#include <array>
#include <random>

namespace cclp_tune {
namespace {

// Compares in time that does not depend on where the texts first differ.
bool sameSecret(std::string_view given, std::string_view secret) {
    if (given.size() != secret.size()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < secret.size(); ++i) {
        difference |= static_cast<unsigned char>(given[i] ^ secret[i]);
    }
    return difference == 0;
}

}  // namespace

std::string randomToken() {
    std::random_device source;
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string token;
    for (int word = 0; word < 4; ++word) {
        const unsigned value = source();
        for (int nibble = 0; nibble < 8; ++nibble) token += kDigits[(value >> (4 * nibble)) & 0xF];
    }
    return token;
}

RequestGuard::RequestGuard(std::string token, int port)
    : token_(std::move(token)), port_(std::to_string(port)) {}

bool RequestGuard::isLoopbackHost(std::string_view host) const {
    for (std::string_view name : {"127.0.0.1:", "localhost:"}) {
        if (host.size() == name.size() + port_.size() && host.starts_with(name) &&
            host.ends_with(port_)) {
            return true;
        }
    }
    return false;
}

std::optional<Refusal> RequestGuard::check(std::string_view host, std::string_view origin,
                                           std::string_view token) const {
    if (!isLoopbackHost(host)) {
        return Refusal{421, "this server answers only to 127.0.0.1:" + port_ +
                                " or localhost:" + port_ + " as its Host"};
    }
    if (!origin.empty() && !(origin.starts_with("http://") && isLoopbackHost(origin.substr(7)))) {
        return Refusal{403, "requests from another origin are refused"};
    }
    if (!sameSecret(token, token_)) {
        return Refusal{401, "the token is missing or wrong: open the address cclp-score printed"};
    }
    return std::nullopt;
}

std::string RequestGuard::pageAddress() const {
    return "http://127.0.0.1:" + port_ + "/?token=" + token_;
}

}  // namespace cclp_tune
