// cclp-score: scores one recorded caliper result from the command line.
// Everything is computed and rendered first; standard output and the plot
// file are written only once the whole run has succeeded.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cclp_score_cli/bundled_sample.hpp"
#include "cclp_score_cli/check_command.hpp"
#include "cclp_score_cli/cli_options.hpp"
#include "cclp_score_cli/compare_report.hpp"
#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/image_edges.hpp"
#include "cclp_score_cli/json_output.hpp"
#include "cclp_score_cli/plot_file.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "cclp_score_cli/table_output.hpp"
#include "plot/svg_plot.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/polarity.hpp"
#include "recording/run_inputs.hpp"
#include "recording/schema.hpp"
#ifdef CCLP_HAVE_TUNE
#include "tune/tune_command.hpp"
#endif

namespace {

using namespace cclp_cli;

struct Input {
    std::string name;
    std::string text;
};

Input readInput(const Options& options) {
    if (!options.inputPath) return {std::string(bundledSampleName()), std::string(bundledSample())};
    if (*options.inputPath == "-") {
        return {"standard input", std::string(std::istreambuf_iterator<char>(std::cin), {})};
    }
    std::error_code ec;
    if (std::filesystem::is_directory(*options.inputPath, ec)) {
        throw UsageError(*options.inputPath + " is a directory, not a recording");
    }
    std::ifstream file(*options.inputPath, std::ios::binary);
    if (!file) throw UsageError("cannot read " + *options.inputPath);
    std::ostringstream text;
    text << file.rdbuf();
    return {*options.inputPath, text.str()};
}

// The recording scored in each arithmetic, side by side.
int compare(Recording job) {
    job.formats = CCLP_FORMAT_DOUBLE;
    const RunOutcome floating = runJob(job, buildParams(job));
    job.formats = CCLP_FORMAT_FIXED;
    const RunOutcome fixed = runJob(job, buildParams(job));
    std::cout << formatComparison(job, floating, fixed) << std::flush;
    return kExitSuccess;
}

int run(const Options& options, std::string& inputName) {
    if (options.plotPath) checkPlotPath(*options.plotPath, options.inputPath);
    const Input input = readInput(options);
    inputName = input.name;
    const std::optional<ImageCaliper> imageCaliper = cclp_cli::imageCaliper(options);
    Recording job = readRecording(parseJsonText(input.text),
                                  imageCaliper ? EdgeSource::Image : EdgeSource::Document);
    if (options.fixed) job.formats = CCLP_FORMAT_FIXED;
    std::optional<ImageRegion> imageRegion;
    if (imageCaliper) imageRegion = findImageEdges(*imageCaliper, job);
    for (const std::string& warning : jobWarnings(job)) {
        std::cerr << "cclp-score: warning: " << warning << "\n";
    }
    if (options.compare) return compare(job);
    const RunOutcome outcome = runJob(job, buildParams(job));
    const bool plotToStandardOutput = options.plotPath && *options.plotPath == "-";
    std::string output = options.json ? formatJson(job, outcome) : formatTable(job, outcome, options.measured);
    if (options.plotPath) {
        std::string plot = renderPlot(job, outcome, imageRegion ? &*imageRegion : nullptr);
        if (plotToStandardOutput) {
            output = std::move(plot);
        } else {
            writePlotFile(*options.plotPath, plot);
        }
    }
    std::cout << output << std::flush;
    return hasAcceptableCandidate(outcome) ? kExitSuccess : kExitNoAcceptableCandidate;
}

// Progress is for a person watching: shown only on a terminal.
std::ostream* progressStream() {
#ifdef _WIN32
    const bool terminal = _isatty(_fileno(stderr)) != 0;
#else
    const bool terminal = isatty(fileno(stderr)) != 0;
#endif
    return terminal ? &std::cerr : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    std::string inputName;
    try {
        const std::vector<std::string_view> arguments(argv + 1, argv + argc);
        if (!arguments.empty() && arguments[0] == "tune") {
#ifdef CCLP_HAVE_TUNE
            return cclp_tune::runTune(std::span(arguments).subspan(1), std::cout, std::cerr);
#else
            throw UsageError("tune: this cclp-score was built without cpp-httplib");
#endif
        }
        const Options options = parseOptions(arguments);
        if (options.check) return runCheck(*options.check, std::cout, progressStream());
        if (options.help) {
            std::cout << helpText();
            return kExitSuccess;
        }
        return run(options, inputName);
    } catch (const InputError& error) {
        std::cerr << "cclp-score: bad input in " << inputName << ": " << error.what() << "\n";
        return kExitBadInput;
    } catch (const UsageError& error) {
        std::cerr << "cclp-score: " << error.what() << "\n";
        return kExitUsage;
    } catch (const RunError& error) {
        std::cerr << "cclp-score: scoring " << inputName << ": " << error.what() << "\n";
        return kExitRunFailed;
    } catch (const std::exception& error) {
        std::cerr << "cclp-score: " << error.what() << "\n";
        return kExitRunFailed;
    }
}
