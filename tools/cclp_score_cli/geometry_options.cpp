#include "cclp_score_cli/geometry_options.hpp"

#include <vector>

#include "cclp_score_cli/exit_status.hpp"

namespace cclp_cli {
namespace {

using Row = Option<GeometryOptions>;

constexpr std::string_view kSpacing[] = {"--spacing"};

const std::vector<Row>& commonRows() {
    static const std::vector<Row> rows = {
        {.name = "--image",
         .value = "FILE",
         .field = &GeometryOptions::imagePath,
         .help = "the image to search (PNG, or binary PGM/PPM; colour becomes gray by luma). "
                 "A geometry document's own \"image\" is read, as this one, from the current "
                 "folder."},
        {.name = "--calipers",
         .value = "N",
         .field = &GeometryOptions::calipers,
         .help = "the number of calipers, 1 to 1024 (default 10 for a line, 16 for a circle).",
         .excludes = kSpacing,
         .excludeReason = "sets the count"},
        {.name = "--spacing",
         .value = "PIXELS",
         .field = &GeometryOptions::spacing,
         .help = "instead of a count, as many calipers as fit this far apart along the segment "
                 "or the arc.",
         .wanted = "a finite number of pixels"},
        {.name = "--caliper-size",
         .value = "LENGTH,THICKNESS",
         .field = &GeometryOptions::caliperSize,
         .help = "each caliper's length along its search direction and thickness across it, in "
                 "pixels (default 40,5)."},
        {.name = "--weight",
         .value = "tukey|huber|none",
         .field = &GeometryOptions::weight,
         .help = "how the robust fit weighs a point by its distance: Tukey's or Huber's weight "
                 "(0 beyond the inlier distance), or none: plain least squares over every point "
                 "(default tukey).",
         .wanted = "tukey, huber or none"},
        {.name = "--inlier-distance",
         .value = "PIXELS",
         .field = &GeometryOptions::inlierDistance,
         .help = "the distance beyond which a point is set aside (default 1.5).",
         .wanted = "a finite number of pixels"},
        {.name = "--iterations",
         .value = "N",
         .field = &GeometryOptions::iterations,
         .help = "rounds of reweighting, 1 to 100 (default 20)."},
        {.name = "--sigma",
         .value = "S",
         .field = &GeometryOptions::sigma,
         .help = "Gaussian smoothing of each caliper's profile in pixels, 0.4 to 100 (default 1).",
         .wanted = "a finite number of pixels"},
        {.name = "--min-contrast",
         .value = "C",
         .field = &GeometryOptions::minContrast,
         .help = "the smallest edge contrast kept, in gray levels per pixel (default 5).",
         .wanted = "a finite number of gray levels per pixel"},
        {.name = "--json",
         .field = &GeometryOptions::json,
         .help = "print JSON instead of the table: the settings as a geometry document (fed "
                 "back, it replays the call) plus \"run\" and \"results\"."},
        {.name = "--plot",
         .value = "FILE.svg",
         .field = &GeometryOptions::plotPath,
         .help = "also draw the image around the calipers with each caliper's rectangle and "
                 "point coloured by use, the nominal and the fitted geometry, and the "
                 "residuals; \"--plot -\" prints the plot instead of the report."},
        {.name = "--help", .alias = "-h", .field = &GeometryOptions::help, .help = "print this text."},
    };
    return rows;
}

const std::vector<Row>& lineRows() {
    static const std::vector<Row> rows = {{.name = "--segment",
             .value = "X0,Y0,X1,Y1",
             .field = &GeometryOptions::segment,
             .help = "the nominal segment, from (X0, Y0) to (X1, Y1) in pixels (x right, y "
                     "down). Its calipers search across it, along its direction turned by +90 "
                     "degrees: a segment from left to right searches downward."}};
    return rows;
}

const std::vector<Row>& circleRows() {
    static const std::vector<Row> rows = {{.name = "--circle",
             .value = "X,Y,RADIUS",
             .field = &GeometryOptions::circle,
             .help = "the nominal circle's centre and radius in pixels; its calipers search "
                     "outward along radii."},
            {.name = "--arc",
             .value = "START,SWEEP",
             .field = &GeometryOptions::arc,
             .help = "only the arc from START degrees over SWEEP degrees (clockwise on screen; "
                     "default 0,360: the whole circle)."},
            {.name = "--inward",
             .field = &GeometryOptions::inward,
             .help = "the calipers search toward the centre."}};
    return rows;
}

const std::vector<Row>& table(GeometryKind kind) {
    static const auto build = [](const std::vector<Row>& rows) {
        std::vector<Row> all = rows;
        all.insert(all.end(), commonRows().begin(), commonRows().end());
        return all;
    };
    static const std::vector<Row> line = build(lineRows());
    static const std::vector<Row> circle = build(circleRows());
    return kind == GeometryKind::Line ? line : circle;
}

std::string_view toolName(GeometryKind kind) { return kind == GeometryKind::Line ? "line" : "circle"; }

}  // namespace

GeometryOptions parseGeometryOptions(GeometryKind kind, std::span<const std::string_view> arguments) {
    GeometryOptions options;
    options.kind = kind;
    OptionParser<GeometryOptions> parser(table(kind), kind == GeometryKind::Line ? "line: " : "circle: ");
    parser.parse(arguments, options, [&](std::string_view input) {
        if (options.documentPath) {
            throw UsageError(std::string(toolName(kind)) + ": one document at a time (got " +
                             *options.documentPath + " and " + std::string(input) + ")");
        }
        options.documentPath = std::string(input);
    });
    options.given = parser.givenOptions();
    return options;
}

std::string geometryHelpText(GeometryKind kind) {
    const std::string name(toolName(kind));
    const std::string nominal = kind == GeometryKind::Line ? "--segment X0,Y0,X1,Y1" : "--circle X,Y,RADIUS";
    return "Usage: cclp-score " + name + " --image FILE " + nominal + " [OPTION]... PARAMS.json\n" +
           "       cclp-score " + name + " [OPTION]... GEOMETRY.json\n\n" +
           (kind == GeometryKind::Line
                ? "Fits a line to the edges a row of calipers across a nominal segment choose.\n"
                : "Fits a circle to the edges a ring of radial calipers around a nominal circle\nchoose.\n") +
           R"(Each caliper finds its edges in the image and scores them with the document's
"params" (as cclp-score does; a pair stands for its centre); its best-scored
candidate is its point. A robust fit sets aside the points that do not agree.
A geometry document ("geometry" beside "params", as --json prints it) holds
every setting; options given on the command line replace its values.

Options:
)" + OptionParser<GeometryOptions>(table(kind), "").help() +
           R"(
Report: the fitted )" + (kind == GeometryKind::Line ? std::string("line (point, direction, angle in degrees)")
                                                      : std::string("circle (centre, radius)")) +
           R"(, the RMS residual of
the points used, and per caliper its point, position, score, residual and
what became of it: used, set aside by the fit, nothing found, or outside the
image.

Exit status: 0 fitted; 1 bad document; 2 bad command line, or an image that
cannot be read; 3 the call failed; 6 no fit: too few calipers found points
that agree (the report and plot say so).
)";
}

}  // namespace cclp_cli
