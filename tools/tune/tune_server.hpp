// The tuning page's HTTP server: 127.0.0.1 only, every request checked by
// the RequestGuard before it is routed, request bodies bounded, nothing
// served but the built-in page and the session's JSON API:
//   GET  /api/state   the recording, the image and the first scores
//   POST /api/score   a document -> its edges, candidates, scores, winner
//   POST /api/check   a document -> the check folder's verdicts
//   POST /api/save    a document -> written to the save target
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "tune/tune_session.hpp"

namespace cclp_tune {

inline constexpr std::size_t kMaxRequestBody = 4u << 20;

class TuneServer {
public:
    TuneServer(TuneSession& session, std::string token);
    ~TuneServer();
    TuneServer(const TuneServer&) = delete;
    TuneServer& operator=(const TuneServer&) = delete;

    // Binds 127.0.0.1:port (0: a free port) and returns the port. Throws
    // cclp_cli::UsageError when it cannot.
    int bind(int port);
    // Serves until stop(); call after bind().
    void run();
    void stop();
    // The address to open, token included; after bind().
    std::string pageAddress() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace cclp_tune
