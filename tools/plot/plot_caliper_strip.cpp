// The caliper strip of the plot: the recorded profile, the edges as stems
// (up and blue for positive contrast, down and red for negative) with the
// desired edges and the expected width behind them, and one row per kept
// candidate, the winner in green.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "plot/plot_parts.hpp"

namespace cclp_cli::plot {
namespace {

constexpr double kLabelColumn = 64.0;
constexpr double kProfileBand = 80.0;
constexpr double kEdgeBand = 130.0;
constexpr double kRowHeight = 16.0;
constexpr double kAxisBand = 40.0;
constexpr std::size_t kMaxRows = 8;

std::size_t resultRows(const RunOutcome& outcome) {
    return std::min(outcome.results.size(), kMaxRows);
}

double resultBand(const RunOutcome& outcome) {
    return static_cast<double>(std::max<std::size_t>(resultRows(outcome), 1)) * kRowHeight + 12.0;
}

// Every position the strip shows: edges, desired edges, profile and the
// caliper's centre.
Scale positionScale(const Recording& job, double from, double to) {
    double lo = 0.0;
    double hi = 0.0;
    for (const Edge& edge : job.edges) {
        lo = std::min(lo, edge.position);
        hi = std::max(hi, edge.position);
    }
    for (const cclp_desiredEdge& desired : job.desiredEdges) {
        lo = std::min(lo, desired.position);
        hi = std::max(hi, desired.position);
    }
    if (job.profile) {
        const double end = job.profile->start +
                           job.profile->step * static_cast<double>(job.profile->values.size() - 1);
        lo = std::min(lo, job.profile->start);
        hi = std::max(hi, end);
    }
    const double pad = hi > lo ? (hi - lo) * 0.04 : 1.0;
    return {lo - pad, hi + pad, from, to};
}

// With many edges the kept candidates can sit in a small part of a long
// caliper, where their stems and rows would crowd into a few pixels. The
// strip then zooms to the kept candidates, with a margin, and an overview
// above it shows the whole caliper with the zoomed window marked. Many
// means more than 30 edges (fewer stay legible at full length) with the
// kept candidates spanning less than a third of the caliper (a smaller
// gain is not worth losing the context).
constexpr std::size_t kZoomMinEdges = 30;
constexpr double kZoomMaxShare = 1.0 / 3.0;
constexpr double kOverviewBand = 48.0;

std::optional<Scale> zoomScale(const Recording& job, const RunOutcome& outcome, const Scale& whole) {
    if (job.edges.size() <= kZoomMinEdges || outcome.results.empty()) return std::nullopt;
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const ScoredResult& result : outcome.results) {
        for (const Edge& edge : result.edgeValues()) {
            lo = std::min(lo, edge.position);
            hi = std::max(hi, edge.position);
        }
    }
    const double length = whole.hi - whole.lo;
    if (!(hi - lo < length * kZoomMaxShare)) return std::nullopt;
    const double margin = std::max((hi - lo) * 0.25, length * 0.02);
    return Scale{std::max(whole.lo, lo - margin), std::min(whole.hi, hi + margin), whole.from,
                 whole.to};
}

bool shows(const Scale& x, double position) { return position >= x.lo && position <= x.hi; }

void bandLabel(SvgCanvas& canvas, const Box& box, double y, std::string_view text) {
    canvas.text(box.x + kLabelColumn - 10.0, y, text, textStyle(10.5, colour::faint, "end"));
}

// A value of a band's vertical scale, at the left end of the strip.
void scaleLabel(SvgCanvas& canvas, const Scale& x, double y, const std::string& text) {
    canvas.text(x.from + 3.0, y + 3.5, text, textStyle(8.5, colour::faint) + " class=\"y-scale\"");
}

// Where the parameters look: each desired edge, and for a pair the expected
// width between the two. The legend names them; labels here would collide
// with the edges' own.
void drawDesiredEdges(SvgCanvas& canvas, const Recording& job, const Scale& x, double top,
                      double bottom) {
    if (job.pairs()) {
        const double from = x(std::clamp(
            std::min(job.desiredEdges[0].position, job.desiredEdges[1].position), x.lo, x.hi));
        const double to = x(std::clamp(
            std::max(job.desiredEdges[0].position, job.desiredEdges[1].position), x.lo, x.hi));
        if (to > from) {
            canvas.rect(from, top, to - from, bottom - top,
                    "fill=\"" + std::string(colour::desired) +
                            "\" fill-opacity=\"0.07\" class=\"expected-width\"");
        }
    }
    for (const cclp_desiredEdge& desired : job.desiredEdges) {
        if (!shows(x, desired.position)) continue;
        const double at = x(desired.position);
        canvas.line(at, top, at, bottom,
                    "stroke=\"" + std::string(colour::desired) +
                        "\" stroke-width=\"1.5\" stroke-dasharray=\"2,3\" class=\"desired-edge\"");
    }
}

void drawProfile(SvgCanvas& canvas, const Profile& profile, const Scale& x, const Box& box,
                 double top) {
    const auto [lo, hi] = std::minmax_element(profile.values.begin(), profile.values.end());
    const double span = *hi > *lo ? *hi - *lo : 1.0;
    const Scale y{*lo, *lo + span, top + kProfileBand - 8.0, top + 8.0};
    std::vector<Point> points;
    for (std::size_t i = 0; i < profile.values.size(); ++i) {
        const double at = profile.start + profile.step * static_cast<double>(i);
        if (shows(x, at)) points.emplace_back(x(at), y(profile.values[i]));
    }
    canvas.polyline(points, "stroke=\"#555555\" stroke-width=\"1.5\"");
    bandLabel(canvas, box, top + kProfileBand / 2.0, "profile");
    scaleLabel(canvas, x, y(*hi), compact(*hi));
    scaleLabel(canvas, x, y(*lo), compact(*lo));
}

std::set<std::size_t> winningEdges(const RunOutcome& outcome) {
    std::set<std::size_t> indices;
    if (!outcome.results.empty()) {
        for (const ResultEdge& edge : outcome.results[0].edges) indices.insert(edge.index);
    }
    return indices;
}

struct EdgeLabel {
    std::size_t index;
    double x;
    double y;        // at the stem's tip
    double outward;  // -1 above the baseline, 1 below
    std::string_view paint;
    bool winner;
};

struct LabelBox {
    double left, right, top, bottom;
    bool overlaps(const LabelBox& other) const {
        return left < other.right && other.left < right && top < other.bottom &&
               other.top < bottom;
    }
};

// Edge labels never overlap: each goes at its stem's tip or up to two lines
// further out, the winner's first; one that finds no free place is left
// out (the edge's index is in the tables).
void drawEdgeLabels(SvgCanvas& canvas, std::vector<EdgeLabel> labels) {
    constexpr double kCharWidth = 5.8;
    constexpr double kLine = 11.0;
    std::stable_partition(labels.begin(), labels.end(),
                          [](const EdgeLabel& label) { return label.winner; });
    std::vector<LabelBox> placed;
    for (const EdgeLabel& label : labels) {
        const std::string text = "#" + std::to_string(label.index);
        const double half = kCharWidth * static_cast<double>(text.size()) / 2.0 + 1.0;
        for (int level = 0; level < 3; ++level) {
            const double y = label.y + label.outward * kLine * static_cast<double>(level);
            const LabelBox box{label.x - half, label.x + half, y - 9.0, y + 2.0};
            if (std::any_of(placed.begin(), placed.end(),
                            [&](const LabelBox& other) { return box.overlaps(other); })) {
                continue;
            }
            placed.push_back(box);
            canvas.text(label.x, y, text,
                        textStyle(9.5, label.paint, "middle", label.winner) +
                            " class=\"edge-label\"");
            break;
        }
    }
}

void drawEdges(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome, const Scale& x,
               const Box& box, double top) {
    const double baseline = top + kEdgeBand / 2.0;
    const double reach = kEdgeBand / 2.0 - 18.0;
    canvas.line(x.from, baseline, x.to, baseline, "stroke=\"#bbbbbb\"");
    double maxContrast = 0.0;
    for (const Edge& edge : job.edges)
        maxContrast = std::max(maxContrast, std::fabs(edge.contrast));
    if (maxContrast == 0.0) maxContrast = 1.0;
    const std::set<std::size_t> winners = winningEdges(outcome);
    std::vector<EdgeLabel> labels;
    for (std::size_t i = 0; i < job.edges.size(); ++i) {
        const Edge& edge = job.edges[i];
        if (!shows(x, edge.position)) continue;
        const bool up = edge.contrast >= 0.0;
        const double tip = baseline - (up ? 1.0 : -1.0) * std::max(3.0, std::fabs(edge.contrast) /
                                                                            maxContrast * reach);
        const std::string_view stroke = up ? colour::positive : colour::negative;
        const bool winner = winners.count(i) != 0;
        canvas.line(
            x(edge.position), baseline, x(edge.position), tip,
            "stroke=\"" + std::string(stroke) + "\" stroke-width=\"" + (winner ? "4" : "2") + "\"");
        if (winner) {
            canvas.circle(x(edge.position), tip, 5.0,
                          "fill=\"" + std::string(colour::winner) + "\" stroke=\"white\"");
        }
        labels.push_back({i, x(edge.position), up ? tip - 8.0 : tip + 15.0, up ? -1.0 : 1.0,
                          winner ? colour::winner : stroke, winner});
    }
    drawEdgeLabels(canvas, labels);
    bandLabel(canvas, box, baseline - 4.0, "edges");
    bandLabel(canvas, box, baseline + 9.0, "(+/-)");
    scaleLabel(canvas, x, baseline - reach, "+" + compact(maxContrast));
    scaleLabel(canvas, x, baseline + reach, "-" + compact(maxContrast));
}

void drawResults(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome, const Scale& x,
                 const Box& box, double top) {
    bandLabel(canvas, box, top + 14.0, "kept");
    if (outcome.results.empty()) {
        canvas.text(x.from + 4.0, top + 14.0, "none: " + noResultReason(job),
                    textStyle(10.5, colour::faint));
    }
    for (std::size_t r = 0; r < resultRows(outcome); ++r) {
        const ScoredResult& result = outcome.results[r];
        const std::string paint(rankColour(r + 1));
        const double y = top + 10.0 + static_cast<double>(r) * kRowHeight;
        const double first = x(result.edgeValue(0).position);
        const double last = x(result.edgeValue(result.edges.size() - 1).position);
        if (result.edges.size() == 2) {
            canvas.line(first, y, last, y, "stroke=\"" + paint + "\" stroke-width=\"3\"");
            canvas.line(first, y - 4, first, y + 4, "stroke=\"" + paint + "\" stroke-width=\"2\"");
            canvas.line(last, y - 4, last, y + 4, "stroke=\"" + paint + "\" stroke-width=\"2\"");
        }
        canvas.circle(x(result.positionValue()), y, 4.0, "fill=\"" + paint + "\"");
        canvas.text(first - 8.0, y + 4.0, std::to_string(r + 1),
                    textStyle(10.5, paint, "end", r == 0));
        canvas.text(last + 8.0, y + 4.0, decimals(result.scoreValue(), 3), textStyle(10, paint));
    }
}

// The whole caliper in one thin band: every edge as a short tick, the
// desired edges, the kept candidates' positions and the zoomed window.
void drawOverview(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome, const Scale& whole,
                  const Scale& zoom, const Box& box) {
    const double baseline = box.y + kOverviewBand / 2.0 - 2.0;
    bandLabel(canvas, box, baseline + 3.5, "overview");
    canvas.line(whole.from, baseline, whole.to, baseline, "stroke=\"#bbbbbb\"");
    for (const cclp_desiredEdge& desired : job.desiredEdges) {
        canvas.line(whole(desired.position), baseline - 11.0, whole(desired.position),
                    baseline + 11.0,
                    "stroke=\"" + std::string(colour::desired) + "\" stroke-dasharray=\"2,2\"");
    }
    for (const Edge& edge : job.edges) {
        const bool up = edge.contrast >= 0.0;
        canvas.line(whole(edge.position), baseline, whole(edge.position),
                    baseline + (up ? -7.0 : 7.0),
                    "stroke=\"" + std::string(up ? colour::positive : colour::negative) + "\"");
    }
    for (std::size_t r = outcome.results.size(); r-- > 0;) {
        canvas.circle(whole(outcome.results[r].positionValue()), baseline, 2.5,
                      "fill=\"" + std::string(rankColour(r + 1)) + "\"");
    }
    canvas.rect(whole(zoom.lo), baseline - 13.0, whole(zoom.hi) - whole(zoom.lo), 26.0,
                "fill=\"" + std::string(colour::ink) +
                    "\" fill-opacity=\"0.06\" stroke=\"#444444\" class=\"zoom-window\"");
    canvas.text(whole.from, baseline + 23.0, compact(whole.lo), textStyle(8.5, colour::faint));
    canvas.text(whole.to, baseline + 23.0, compact(whole.hi), textStyle(8.5, colour::faint, "end"));
    canvas.text((whole.from + whole.to) / 2.0, baseline + 23.0,
                "whole caliper; below: the kept candidates, " + compact(zoom.lo) + " to " +
                    compact(zoom.hi),
                textStyle(8.5, colour::faint, "middle") + " class=\"overview\"");
}

}  // namespace

double caliperStripHeight(const Recording& job, const RunOutcome& outcome) {
    const bool zoomed = zoomScale(job, outcome, positionScale(job, 0.0, 1.0)).has_value();
    return (zoomed ? kOverviewBand : 0.0) + (job.profile ? kProfileBand : 0.0) + kEdgeBand +
           resultBand(outcome) + kAxisBand;
}

void drawCaliperStrip(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome, Box box) {
    const Scale whole = positionScale(job, box.x + kLabelColumn, box.x + box.width - 40.0);
    const std::optional<Scale> zoom = zoomScale(job, outcome, whole);
    if (zoom) {
        drawOverview(canvas, job, outcome, whole, *zoom, box);
        box.y += kOverviewBand;
        box.height -= kOverviewBand;
    }
    const Scale x = zoom.value_or(whole);
    const double axisY = box.y + box.height - kAxisBand;
    canvas.rect(x.from, box.y, x.to - x.from, axisY - box.y, "fill=\"#fafafa\" stroke=\"none\"");
    if (shows(x, 0.0)) {
        canvas.line(x(0.0), box.y, x(0.0), axisY, "stroke=\"#999999\" stroke-dasharray=\"4,3\"");
    }
    double top = box.y;
    if (job.profile) {
        drawProfile(canvas, *job.profile, x, box, top);
        top += kProfileBand;
    }
    drawDesiredEdges(canvas, job, x, top, top + kEdgeBand);
    drawEdges(canvas, job, outcome, x, box, top);
    drawResults(canvas, job, outcome, x, box, top + kEdgeBand);
    drawXAxis(canvas, x, axisY,
              zoom ? "position along the caliper (0 = its centre), zoomed to the kept candidates"
                   : "position along the caliper (0 = its centre)");
}

}  // namespace cclp_cli::plot
