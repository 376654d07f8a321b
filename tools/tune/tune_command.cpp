#include "tune/tune_command.hpp"

#include "cclp_score_cli/exit_status.hpp"
#include "recording/document_error.hpp"
#include "tune/request_guard.hpp"
#include "tune/tune_options.hpp"
#include "tune/tune_server.hpp"
#include "tune/tune_session.hpp"

namespace cclp_tune {

int runTune(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& errors) {
    const TuneOptions options = parseTuneOptions(arguments);
    if (options.help) {
        out << tuneHelpText();
        return cclp_cli::kExitSuccess;
    }
    std::optional<TuneSession> session;
    try {
        session.emplace(options);
    } catch (const cclp_recording::InputError& error) {
        errors << "cclp-score: bad input in " << *options.recordingPath << ": " << error.what()
               << "\n";
        return cclp_cli::kExitBadInput;
    }
    TuneServer server(*session, randomToken());
    server.bind(static_cast<int>(options.port.value_or(0.0)));
    out << "cclp-score tune: open " << server.pageAddress() << "\n"
        << "(Ctrl-C stops the server)" << std::endl;
    server.run();
    return cclp_cli::kExitSuccess;
}

}  // namespace cclp_tune
