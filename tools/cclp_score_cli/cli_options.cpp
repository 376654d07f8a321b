#include "cclp_score_cli/cli_options.hpp"

#include <array>
#include <span>

#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/option_table.hpp"
#include "recording/method_table.hpp"

namespace cclp_cli {
namespace {

constexpr std::array<std::string_view, 3> kOneArithmeticReports = {"--json", "--fixed",
                                                                   "--measured"};

const std::vector<Option<Options>>& scoreOptionTable() {
    static const std::vector<Option<Options>> table = {
        {.name = "--json",
         .field = &Options::json,
         .help = "print JSON instead of the table: the recording as scored, every default "
                 "spelled out, plus \"run\" and \"results\". The output is itself a recording: "
                 "fed back, it scores to the same report. Bytes of a name that are not UTF-8 "
                 "are written as U+FFFD."},
        {.name = "--fixed",
         .field = &Options::fixed,
         .help = "score the edges rounded to 1/256 in the fixed-point arithmetic, even when "
                 "the recording asks for floating point."},
        {.name = "--measured",
         .field = &Options::measured,
         .help = "add after each method's score what it measured before its function (the "
                 "JSON report always has it as \"measured\")."},
        {.name = "--compare",
         .field = &Options::compare,
         .help = "score in floating point and in 1/256 fixed point and show both side by "
                 "side, with each score's difference over the candidates both kept and "
                 "whether the rankings differ. A difference is flagged BEYOND when it exceeds "
                 "what the fixed point's rounding allows that candidate: how far the method's "
                 "function moves while its measured value moves by the quantum (+-2/256 for "
                 "positions, contrasts and extras, +-(2 + 2/w)/256 for the measures divided by "
                 "the expected width w), plus 1/256 for the ramp's truncation (more on a ramp "
                 "between scores other than 0 and 1); the combined score's allowance follows "
                 "through the geometric mean. Exits as the plain run does.",
         .excludes = kOneArithmeticReports,
         .excludeReason = "runs both arithmetics and prints its own table"},
        {.name = "--plot",
         .value = "FILE.svg",
         .field = &Options::plotPath,
         .help = "also draw, for each score method, its function with the kept candidates' "
                 "measured values marked by rank, and a strip of the caliper with the edges "
                 "and the winner. The name must end in .svg; an existing file is replaced "
                 "only if it is a plot cclp-score wrote, never an input. \"--plot -\" prints "
                 "the plot instead of the report."},
        {.name = "--image",
         .value = "FILE",
         .field = &Options::imagePath,
         .help = "find the edges in an image (PNG, or binary PGM/PPM; colour becomes gray by "
                 "luma) instead of taking the recording's own, and score them with its "
                 "\"params\". The report records the image's name, the caliper, the settings "
                 "and the edges found, so it replays without the image; with --plot the "
                 "image around the caliper is drawn above the other panels.",
         .needs = "--caliper"},
        {.name = "--caliper",
         .value = "X,Y,ANGLE,LENGTH,THICKNESS",
         .field = &Options::caliper,
         .help = "the caliper for --image: its centre in pixels (x right, y down, pixel "
                 "centres at whole numbers), the search direction in degrees (0 right, 90 "
                 "down), the length along it (at least 2) and the thickness across it (0: one "
                 "line), inside the image. Positions are reported from the centre along the "
                 "search direction.",
         .needs = "--image"},
        {.name = "--sigma",
         .value = "S",
         .field = &Options::sigma,
         .help = "Gaussian smoothing of the image's profile in pixels, 0.4 to 100 (default 1).",
         .wanted = "a finite number of pixels",
         .needs = "--image"},
        {.name = "--min-contrast",
         .value = "C",
         .field = &Options::minContrast,
         .help = "the smallest edge contrast kept from the image, in gray levels per pixel "
                 "(default 5).",
         .wanted = "a finite number of gray levels per pixel",
         .needs = "--image"},
        {.name = "--help", .alias = "-h", .field = &Options::help, .help = "print this text."},
    };
    return table;
}

const std::vector<Option<CheckOptions>>& checkOptionTable() {
    static const std::vector<Option<CheckOptions>> table = {
        {.name = "--params",
         .value = "P.json",
         .field = &CheckOptions::paramsPath,
         .help = "score every recording with P's \"params\" instead of its own."},
        {.name = "--json", .field = &CheckOptions::json, .help = "print the report as JSON."},
        {.name = "--threads",
         .value = "N",
         .field = &CheckOptions::threads,
         .help = "score N recordings at once, 1 to 1024 (default: one per core)."},
    };
    return table;
}

std::string methodsHelp() {
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
    return methods;
}

}  // namespace

Options parseOptions(const std::vector<std::string_view>& arguments) {
    Options options;
    if (!arguments.empty() && arguments[0] == "check") {
        CheckOptions& check = options.check.emplace();
        OptionParser<CheckOptions>(checkOptionTable(), "check: ")
            .parse(std::span(arguments).subspan(1), check,
                   [&](std::string_view path) { check.paths.emplace_back(path); });
        if (check.paths.empty()) throw UsageError("check needs recordings or folders of them");
        return options;
    }
    for (const auto& [name, kind] : {std::pair{"line", GeometryKind::Line}, std::pair{"circle", GeometryKind::Circle}}) {
        if (!arguments.empty() && arguments[0] == name) {
            options.geometry = parseGeometryOptions(kind, std::span(arguments).subspan(1));
            return options;
        }
    }
    OptionParser<Options>(scoreOptionTable(), "")
        .parse(arguments, options, [&](std::string_view input) {
            if (options.inputPath) {
                throw UsageError("one input file at a time (got " + *options.inputPath + " and " +
                                 std::string(input) + ")");
            }
            options.inputPath = std::string(input);
        });
    return options;
}

std::string helpText() {
    return R"(Usage: cclp-score [OPTION]... [RECORDING.json | -]
       cclp-score --image FILE --caliper X,Y,ANGLE,LENGTH,THICKNESS [OPTION]...
                  PARAMS.json
       cclp-score check [CHECK OPTION]... FOLDER_OR_RECORDING...
       cclp-score line|circle [OPTION]... (see cclp-score line --help)
       cclp-score tune RECORDING.json [--image FILE] [--check DIR] [--port N]

Scores the edges of one recorded caliper result against its score
parameters and prints the kept candidates best first: rank, position,
combined score, the score of each method and the edges. Without a
recording it scores a bundled sample (a pair among distractors); "-" reads
standard input.

Options:
)" + OptionParser<Options>(scoreOptionTable(), "").help() +
           R"(
Recording (JSON):
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

Score methods (p0, p1: positions of a pair's edges; w: expected width):
)" + methodsHelp() +
           R"(
check: scores every recording given, or found (*.json, recursively) in the
folders given, several at once, and prints a row per recording (winner,
score, margin to the runner-up, whether it is the expected winner) and a
summary. A recording names its expected winner with an optional
  "expect": {"edges": [2, 5]}   or   "expect": {"position": 0, "tolerance": 0.5}
Progress goes to standard error on a terminal above 100 recordings.

Check options:
)" + OptionParser<CheckOptions>(checkOptionTable(), "").help() +
           R"(
tune: serves a page on 127.0.0.1 for tuning a recording with the mouse
while every change is scored again (see cclp-score tune --help).

Exit status: 0 success; 1 bad input (the message names the field and the
reason, with the library's status name where the library refused a value);
2 bad command line (an --image, --caliper, --sigma or --min-contrast that
cannot be used is named: an unreadable image, a caliper outside it) or a
file that cannot be read or written; 3 the scoring run failed; 4 the run
succeeded but kept no acceptable candidate (none at all, or the best scores
0); 5 check: a recording failed or its winner was not the expected one;
6 line, circle: no fit.
Nothing is printed to standard output unless the run succeeds.
)";
}

}  // namespace cclp_cli
