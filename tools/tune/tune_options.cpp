#include "tune/tune_options.hpp"

#include <cmath>
#include <vector>

#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/option_table.hpp"
#include "cclp_score_cli/text_format.hpp"

namespace cclp_tune {
namespace {

using cclp_cli::Option;
using cclp_cli::UsageError;

const std::vector<Option<TuneOptions>>& tuneOptionTable() {
    static const std::vector<Option<TuneOptions>> table = {
        {.name = "--image",
         .value = "FILE",
         .field = &TuneOptions::imagePath,
         .help = "find the edges in this image (PNG, or binary PGM/PPM) with the caliper the "
                 "page shows; it starts as the recording's own image caliper, or across the "
                 "middle of the image."},
        {.name = "--check",
         .value = "DIR",
         .field = &TuneOptions::checkFolder,
         .help = "score every recording in DIR (*.json, recursively) with the parameters being "
                 "tuned and show each verdict against its expected winner, as check does."},
        {.name = "--save",
         .value = "FILE",
         .field = &TuneOptions::savePath,
         .help = "where the page's save writes the recording (it may replace a file you "
                 "name here, the input too). Default: RECORDING.tuned.json beside the input, "
                 "never replacing a file this session did not write."},
        {.name = "--port",
         .value = "N",
         .field = &TuneOptions::port,
         .help = "listen on port N of 127.0.0.1 (default: a free port).",
         .wanted = "a port number from 1 to 65535"},
        {.name = "--help", .alias = "-h", .field = &TuneOptions::help, .help = "print this text."},
    };
    return table;
}

void checkPort(double port) {
    if (port < 1.0 || port > 65535.0 || std::floor(port) != port) {
        throw UsageError("tune: --port takes a port number from 1 to 65535 (got " +
                         cclp_cli::compact(port, 17) + ")");
    }
}

}  // namespace

TuneOptions parseTuneOptions(std::span<const std::string_view> arguments) {
    TuneOptions options;
    cclp_cli::OptionParser<TuneOptions>(tuneOptionTable(), "tune: ")
        .parse(arguments, options, [&](std::string_view path) {
            if (options.recordingPath) {
                throw UsageError("tune: one recording at a time (got " + *options.recordingPath +
                                 " and " + std::string(path) + ")");
            }
            options.recordingPath = std::string(path);
        });
    if (options.help) return options;
    if (!options.recordingPath) throw UsageError("tune needs a recording (see tune --help)");
    if (options.port) checkPort(*options.port);
    return options;
}

std::string tuneHelpText() {
    return R"(Usage: cclp-score tune RECORDING.json [--image FILE] [--check DIR] [--port N]

Serves a page on 127.0.0.1 for tuning the recording's caliper and score
parameters with the mouse: drag, turn and stretch the caliper on the image,
drag each scoring function's breakpoints, and watch the candidates, the
winner and the check folder's verdicts change. Every change is scored by
the library. The page's address, printed on start, holds a random token
that every request must carry; the server reads no file but those named
here. Stop it with Ctrl-C.

Tune options:
)" + cclp_cli::OptionParser<TuneOptions>(tuneOptionTable(), "").help();
}

}  // namespace cclp_tune
