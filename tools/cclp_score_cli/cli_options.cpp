#include "cclp_score_cli/cli_options.hpp"

#include <cmath>
#include <cstdlib>

#include "cclp_score_cli/input_error.hpp"
#include "cclp_score_cli/method_table.hpp"

namespace cclp_cli {

namespace {

// The value of an option given as "--name value" or "--name=value".
std::optional<std::string> optionValue(const std::vector<std::string_view>& arguments,
                                       std::size_t& i, std::string_view name) {
    const std::string_view argument = arguments[i];
    if (argument == name) {
        if (i + 1 == arguments.size()) {
            throw UsageError(std::string(name) + " needs a value");
        }
        return std::string(arguments[++i]);
    }
    if (argument.size() > name.size() && argument.starts_with(name) &&
        argument[name.size()] == '=') {
        return std::string(argument.substr(name.size() + 1));
    }
    return std::nullopt;
}

// A finite number written out in full, or a UsageError naming the option.
double finiteNumber(const std::string& text, std::string_view option, std::string_view wanted) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) {
        throw UsageError(std::string(option) + " takes " + std::string(wanted) + " (got '" + text +
                         "')");
    }
    return value;
}

// "X,Y,ANGLE,LENGTH,THICKNESS": five finite numbers, length and thickness
// not negative.
std::array<double, 5> parseCaliper(const std::string& text) {
    constexpr std::string_view kWanted = "X,Y,ANGLE,LENGTH,THICKNESS: five finite numbers";
    std::array<double, 5> values{};
    std::size_t start = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::size_t comma = text.find(',', start);
        if ((comma == std::string::npos) != (k + 1 == values.size())) {
            throw UsageError("--caliper takes " + std::string(kWanted) + " (got '" + text + "')");
        }
        values[k] = finiteNumber(text.substr(start, comma - start), "--caliper", kWanted);
        start = comma + 1;
    }
    if (values[3] < 0.0 || values[4] < 0.0) {
        throw UsageError("--caliper: the length and the thickness must not be negative (got '" +
                         text + "')");
    }
    return values;
}

CheckOptions parseCheckOptions(const std::vector<std::string_view>& arguments) {
    CheckOptions check;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--json") {
            check.json = true;
        } else if (std::optional<std::string> params = optionValue(arguments, i, "--params")) {
            check.paramsPath = *params;
        } else if (std::optional<std::string> threads = optionValue(arguments, i, "--threads")) {
            const unsigned long count = std::strtoul(threads->c_str(), nullptr, 10);
            if (threads->find_first_not_of("0123456789") != std::string::npos || count == 0 ||
                count > 1024) {
                throw UsageError("--threads takes a count from 1 to 1024 (got " + *threads + ")");
            }
            check.threads = static_cast<unsigned>(count);
        } else if (argument.starts_with("-")) {
            throw UsageError("check: unknown option " + std::string(argument) + " (see --help)");
        } else {
            check.paths.emplace_back(argument);
        }
    }
    if (check.paths.empty()) throw UsageError("check needs recordings or folders of them");
    return check;
}

}  // namespace

Options parseOptions(const std::vector<std::string_view>& arguments) {
    Options options;
    if (!arguments.empty() && arguments[0] == "check") {
        options.check = parseCheckOptions(arguments);
        return options;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--fixed") {
            options.fixed = true;
        } else if (argument == "--measured") {
            options.measured = true;
        } else if (argument == "--compare") {
            options.compare = true;
        } else if (std::optional<std::string> image = optionValue(arguments, i, "--image")) {
            options.imagePath = *image;
        } else if (std::optional<std::string> caliper = optionValue(arguments, i, "--caliper")) {
            options.caliper = parseCaliper(*caliper);
        } else if (std::optional<std::string> sigma = optionValue(arguments, i, "--sigma")) {
            options.sigma = finiteNumber(*sigma, "--sigma", "a finite number of pixels");
        } else if (std::optional<std::string> contrast =
                       optionValue(arguments, i, "--min-contrast")) {
            options.minContrast =
                finiteNumber(*contrast, "--min-contrast", "a finite number of gray levels per pixel");
        } else if (argument == "--plot") {
            if (i + 1 == arguments.size()) throw UsageError("--plot needs a file name");
            options.plotPath = std::string(arguments[++i]);
        } else if (argument.starts_with("--plot=")) {
            options.plotPath = std::string(argument.substr(7));
        } else if (argument.starts_with("-") && argument != "-") {
            throw UsageError("unknown option " + std::string(argument) + " (see --help)");
        } else if (options.inputPath) {
            throw UsageError("one input file at a time (got " + *options.inputPath + " and " +
                             std::string(argument) + ")");
        } else {
            options.inputPath = std::string(argument);
        }
    }
    if (options.plotPath && options.plotPath->empty()) throw UsageError("--plot needs a file name");
    if (options.imagePath.has_value() != options.caliper.has_value()) {
        throw UsageError(options.imagePath ? "--image needs --caliper X,Y,ANGLE,LENGTH,THICKNESS"
                                           : "--caliper needs --image FILE");
    }
    if (!options.imagePath && (options.sigma || options.minContrast)) {
        throw UsageError("--sigma and --min-contrast set the edge search of --image");
    }
    if (options.imagePath && options.imagePath->empty()) throw UsageError("--image needs a file name");
    if (options.compare && (options.json || options.fixed || options.measured)) {
        throw UsageError("--compare runs both arithmetics and prints its own table; it takes "
                         "no --json, --fixed or --measured");
    }
    return options;
}

std::string helpText() {
    std::string methods;
    for (const MethodInfo& method : allMethods()) {
        std::string line = "  " + std::string(method.name);
        line.resize(18, ' ');
        line += std::string(method.measures);
        if (method.pairsOnly) line += "; pairs only";
        if (method.function == FunctionKind::TwoSided) line += "; twoSided";
        if (method.function == FunctionKind::ByCandidate)
            line += "; oneSided for single edges, twoSided for pairs";
        if (method.function == FunctionKind::None) line += "; no function";
        if (method.extendedOnly) line += "; extended edges";
        methods += line + "\n";
    }
    return R"(Usage: cclp-score [--json] [--fixed] [--measured] [--compare] [--plot FILE.svg | -] [INPUT.json | -]
       cclp-score --image FILE --caliper X,Y,ANGLE,LENGTH,THICKNESS [--sigma S]
                  [--min-contrast C] [other options] PARAMS.json
       cclp-score check [--params P.json] [--json] [--threads N] DIR_OR_FILE...

Scores the edges of one recorded caliper result against score parameters
with the caliper scoring module, and prints the kept candidates best first:
rank, position, combined score, the score of each method and the edges.
Without INPUT it scores a bundled sample (a pair among distractors); "-"
reads standard input.

Options:
  --json           print JSON instead of the table: the input as scored,
                   every default spelled out, plus "run" and "results". The
                   output is itself valid input: feeding it back scores again.
  --fixed          score the 1/256 fixed-point form (cclp_runScore's
                   fixed-point run) even when floating-point edges are given;
                   edges are rounded as the module rounds: v*256 + 0.5
                   truncated for v >= 0, v*256 - 0.4999999999 for v < 0,
                   saturating at the 32-bit limits.
  --measured       add after each method's score what it measured before its
                   function (the JSON report always has it as "measured").
  --compare        score the recording in floating point and in 1/256 fixed
                   point and show both side by side, with each method's
                   largest difference over the candidates both kept and
                   whether the rankings differ. The fixed-point scores lie
                   within 2/256 of the floating-point ones per method and
                   within 5/256 combined; a larger difference is flagged.
  --plot FILE.svg  also draw, for each score method, its scoring function
                   with the kept candidates' measured values marked by rank,
                   and a strip of the caliper with the edges and the winner.
                   The name must end in .svg; an existing file is replaced
                   only if it is a plot cclp-score wrote, never an input.
                   "--plot -" prints the plot instead of the report.
  --image FILE     find the edges in an image (PNG, or binary PGM/PPM;
                   colour becomes gray by luma) instead of taking the
                   document's own: they replace its "edges" and "profile"
                   and are scored with its "params". The report records the
                   image's name, the caliper and the settings under
                   "caliper": {"image": ...} with the found edges, so it
                   replays without the image. With --plot, the image around
                   the caliper is drawn above the profile, with the caliper's
                   rectangle, the found edges and the winner.
  --caliper X,Y,ANGLE,LENGTH,THICKNESS
                   the caliper for --image: centre in pixels (x right, y
                   down, pixel centres at whole numbers), the search
                   direction in degrees (0 right, 90 down), the length along
                   it (at least 2) and the thickness across it (0: one line).
                   Positions are reported from the centre along the search
                   direction. The rectangle must lie inside the image.
  --sigma S        Gaussian smoothing of the profile in pixels, 0.4 to 100
                   (default 1).
  --min-contrast C the smallest edge contrast kept, gray levels per pixel
                   (default 5).
  -h, --help       this text.

Input (JSON):
  {
    "description": "optional title",
    "caliper": {
      "formats": "double",           double | fixed | both (default double)
      "edges": [                     ascending positions, as the caliper reports
        {"position": -10.2, "contrast": 48.0},
        {"position": 9.9, "contrast": -51.5,
         "extra1": 0.4, "extra2": 0.9, "extra3": 0.1}   optional extras
      ],
      "profile": {"start": -40, "step": 0.5, "values": [...]}   optional, drawn only
    },
    "params": {
      "desiredEdges": [              one (single edges) or two (edge pairs)
        {"position": -10, "polarity": "positive"},      positive|negative|any
        {"position": 10, "polarity": "negative"}
      ],
      "scoreMethods": [
        {"method": "sizeDiff", "oneSided": {"x0": 0, "x1": 0.1, "x2": 0.3}},
        {"method": "contrast", "oneSided": {"x0": 60, "x1": 10, "x2": 0,
                                             "y0": 1, "y1": 0}},
        {"method": "edgePos", "twoSided": {
            "low":  {"x0": -10, "x1": -14, "x2": -20},
            "high": {"x0": 10, "x1": 14, "x2": 20}}},
        {"method": "straddle"}
      ],
      "maxNumResults": 3,            default 1
      "sortByScore": true            default true
    }
  }

  Positions, contrasts and extras are in caliper units; the fixed-point
  edges are derived from them. A function is x0, x1, x2 (required) and
  y0, y1 (default 1 and 0): score y0 from x0 outward, a ramp to y1 at x1,
  y1 up to x2, 0 beyond; abscissae ascending or descending. "offset" sets
  the reference position of offsetDist. sizeDiffSigned's two sides must
  meet at the split point; edgePos and offsetDist score each side alone.
  Edges with extras, or the methods extra1Diff and extraMax, run
  cclp_runScoreEx; otherwise cclp_runScore.

Score methods (p0, p1: positions of a pair's edges; w: expected width):
)" + methods +
           R"(
check: scores every recording given, or found (*.json, recursively) in the
folders given, one run per recording on each core, and prints a row per
recording (winner, score, margin to the runner-up, whether it is the
expected winner) and a summary; --json writes the whole report as JSON.
--params P.json scores every recording with P's "params" instead of its
own. A recording names its expected winner with an optional
  "expect": {"edges": [2, 5]}   or   "expect": {"position": 0, "tolerance": 0.5}
Progress goes to standard error on a terminal above 100 recordings.

Exit status: 0 success; 1 bad input (the message names the field and the
reason, with the library's status name where the library refused a value);
2 bad command line (an --image, --caliper, --sigma or --min-contrast that
cannot be used is named: an unreadable image, a caliper outside it) or a
file that cannot be read or written; 3 the scoring
run failed; 4 the run succeeded but kept no acceptable candidate (none at
all, or the best scores 0); 5 check: a recording failed or its winner was
not the expected one. Nothing is printed to standard output unless
the run succeeds.
)";
}

}  // namespace cclp_cli
