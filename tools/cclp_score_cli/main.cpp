// cclp-score: scores one recorded caliper result from the command line.
// Everything is computed and rendered first; standard output and the plot
// file are written only once the whole run has succeeded.
#include <cstdio>
#include <iostream>
#include <optional>
#include <span>
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
#include "cclp_score_cli/geometry_command.hpp"
#include "cclp_score_cli/image_edges.hpp"
#include "cclp_score_cli/json_output.hpp"
#include "cclp_score_cli/plot_file.hpp"
#include "cclp_score_cli/printable_text.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "cclp_score_cli/table_output.hpp"
#include "plot/svg_plot.hpp"
#include "recording/document_file.hpp"
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
        return {"standard input", readRecordingStreamText(std::cin, "standard input")};
    }
    return {*options.inputPath, readRecordingFileText(*options.inputPath)};
}

// The recording scored in each arithmetic, side by side; it ends as the
// run in the recording's own arithmetic would.
int compare(Recording job) {
    const bool floatingIsPlain = (job.formats & CCLP_FORMAT_DOUBLE) != 0;
    job.formats = CCLP_FORMAT_DOUBLE;
    const RunOutcome floating = runJob(job, buildParams(job));
    job.formats = CCLP_FORMAT_FIXED;
    const RunOutcome fixed = runJob(job, buildParams(job));
    std::cout << formatComparison(job, floating, fixed) << std::flush;
    return hasAcceptableCandidate(floatingIsPlain ? floating : fixed) ? kExitSuccess
                                                                     : kExitNoAcceptableCandidate;
}

int run(const Options& options, std::string& inputName) {
    const InputFiles inputs(options.inputPath, options.imagePath);
    if (options.plotPath) checkPlotPath(*options.plotPath, inputs);
    const Input input = readInput(options);
    inputName = input.name;
    const std::optional<ImageCaliper> imageCaliper = cclp_cli::imageCaliper(options);
    Recording job = readRecording(parseJsonText(input.text),
                                  imageCaliper ? EdgeSource::Image : EdgeSource::Document);
    if (options.fixed) job.formats = CCLP_FORMAT_FIXED;
    std::optional<ImageRegion> imageRegion;
    if (imageCaliper) imageRegion = findImageEdges(*imageCaliper, job);
    for (const std::string& warning : jobWarnings(job)) {
        std::cerr << "cclp-score: warning: " << printableText(warning) << "\n";
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
            writePlotFile(*options.plotPath, plot, inputs);
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

// A message may quote the input (a value, a name): printed so that nothing
// in it acts on the terminal.
int fail(const std::string& message, int status) {
    std::cerr << "cclp-score: " << printableText(message) << "\n";
    return status;
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
        if (options.geometry) return runGeometry(*options.geometry, std::cout, inputName);
        if (options.help) {
            std::cout << helpText();
            return kExitSuccess;
        }
        return run(options, inputName);
    } catch (const InputError& error) {
        return fail("bad input in " + inputName + ": " + error.what(), kExitBadInput);
    } catch (const FileError& error) {
        return fail(error.what(), kExitUsage);
    } catch (const UsageError& error) {
        return fail(error.what(), kExitUsage);
    } catch (const RunError& error) {
        return fail("scoring " + inputName + ": " + error.what(), kExitRunFailed);
    } catch (const std::exception& error) {
        return fail(error.what(), kExitRunFailed);
    }
}
