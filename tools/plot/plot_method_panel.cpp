// One panel per score method: the scoring function that the run reads for
// this edge model, with each kept candidate's measured value marked on it
// and labelled by rank. Straddle has no function; its panel shows each
// kept pair against the caliper's centre instead.
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "cclp_score/cclp_score.hpp"
#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/function_samples.hpp"
#include "cclp_score_cli/measurements.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "plot/plot_parts.hpp"
#include "recording/method_table.hpp"

namespace cclp_cli::plot {
namespace {

constexpr std::size_t kMaxLabels = 10;
// A two-sided method's combinations are spelled out for the best few only;
// the others' markers and connectors still show on the curves.
constexpr std::size_t kMaxCombinations = 4;
constexpr double kCurveSamples = 240.0;

// A function's values at the given abscissae, computed by the module
// through a run, so that a curve never differs from what a run scores.
using Sampler = std::function<std::vector<double>(const std::vector<double>&)>;

struct Curve {
    Sampler sample;
    std::vector<double> breaks;  // where the function bends or steps
    std::string_view paint;
    std::string name;
};

struct Marker {
    double x;
    double y;
    std::size_t rank;
    int side = -1;  // of a two-sided method on pairs: 0 low, 1 high
};

// How a two-sided method's score of one candidate comes about: the mean of
// its sides' scores, each read off its own side's curve.
struct Combination {
    Marker low;
    Marker high;
    double score;
};

// Where the combinations are written; the rank labels keep out of it.
struct Column {
    double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
    bool covers(double x, double halfWidth, double y) const {
        return x + halfWidth > left && x - halfWidth < right && y + 2.0 > top && y - 9.0 < bottom;
    }
};

struct Panel {
    std::vector<Curve> curves;
    std::vector<Marker> markers;
    std::vector<Combination> combinations;
};

std::vector<double> breaksOf(const cclp_scoreOneSided& f) { return {f.x0, f.x1, f.x2}; }

std::string functionText(const cclp_scoreOneSided& f) {
    std::string text = "x0 " + compact(f.x0) + ", x1 " + compact(f.x1) + ", x2 " + compact(f.x2) +
                       "; y0 " + compact(f.y0) + ", y1 " + compact(f.y1);
    if (f.positionOffset != 0.0) text += "; offset " + compact(f.positionOffset);
    return text;
}

template <class Function>
Sampler samplerOf(const Function& function, bool fixedPoint) {
    return [function, fixedPoint](const std::vector<double>& xs) {
        return sampleAsRun(function, xs, fixedPoint);
    };
}

Panel functionPanel(const Recording& job, const RunOutcome& outcome, std::size_t m) {
    const cclp_score& method = job.scoreMethods[m];
    const MethodInfo& info = *findMethod(method.method);
    Panel panel;
    const bool fixed = outcome.fixedPoint();
    const bool bySides = functionRead(info, job.pairs()) == FunctionKind::TwoSided &&
                         method.method != cclp_scoreMethodSizeDiffSigned;
    if (bySides) {
        const cclp::score::TwoSided f(method.twoSided);
        panel.curves.push_back({samplerOf(f.lowSide(), fixed), breaksOf(method.twoSided.lowSide),
                                colour::lowSide, "low side: first edge"});
        panel.curves.push_back({samplerOf(f.highSide(), fixed), breaksOf(method.twoSided.highSide),
                                colour::highSide, "high side: second edge"});
    } else if (method.method == cclp_scoreMethodSizeDiffSigned) {
        std::vector<double> breaks = breaksOf(method.twoSided.lowSide);
        for (double b : breaksOf(method.twoSided.highSide)) breaks.push_back(b);
        panel.curves.push_back(
            {samplerOf(cclp::score::TwoSided(method.twoSided), fixed), breaks, colour::curve, ""});
    } else {
        panel.curves.push_back({samplerOf(cclp::score::OneSided(method.oneSided), fixed),
                                breaksOf(method.oneSided), colour::curve, ""});
    }
    for (std::size_t r = 0; r < outcome.results.size(); ++r) {
        const ScoredResult& result = outcome.results[r];
        const std::vector<double> values =
            measuredValues(method, result.edgeValues(), job.expectedWidth());
        if (values.size() == 1) {
            // The library's own score for this method, at the tool's measured value.
            panel.markers.push_back({values[0], result.methodScore(m), r + 1});
        }
        if (values.size() == 2) {
            Marker sides[2];
            for (std::size_t side = 0; side < 2; ++side) {
                const double score = panel.curves[side].sample({values[side]}).at(0);
                sides[side] = {values[side], score, r + 1, static_cast<int>(side)};
                panel.markers.push_back(sides[side]);
            }
            panel.combinations.push_back({sides[0], sides[1], result.methodScore(m)});
        }
    }
    return panel;
}

Scale valueScale(const Panel& panel, double from, double to) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    auto include = [&](double v) {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    };
    for (const Curve& curve : panel.curves)
        std::for_each(curve.breaks.begin(), curve.breaks.end(), include);
    for (const Marker& marker : panel.markers) include(marker.x);
    if (!(hi >= lo)) lo = hi = 0.0;
    // Room beyond the ends, so that the plateaus and the drop to 0 show.
    const double pad = hi > lo ? (hi - lo) * 0.15 : std::max(1.0, std::fabs(lo) * 0.5);
    return {lo - pad, hi + pad, from, to};
}

std::vector<Point> sampleCurve(const Curve& curve, const Scale& x, const Scale& y) {
    const std::vector<double> xs = curveAbscissae(x.lo, x.hi, kCurveSamples, curve.breaks);
    const std::vector<double> values = curve.sample(xs);
    std::vector<Point> points;
    for (std::size_t i = 0; i < xs.size(); ++i) points.emplace_back(x(xs[i]), y(values[i]));
    return points;
}

void drawScoreGrid(SvgCanvas& canvas, const Scale& x, const Scale& y) {
    for (double level : {0.0, 0.5, 1.0}) {
        canvas.line(x.from, y(level), x.to, y(level),
                    "stroke=\"" + std::string(colour::grid) + "\"");
        canvas.text(x.from - 6.0, y(level) + 3.5, compact(level),
                    textStyle(10, colour::faint, "end"));
    }
    canvas.text(x.from - 30.0, (y.from + y.to) / 2.0, "score",
                textStyle(10, colour::faint, "middle") + " transform=\"rotate(-90 " +
                    compact(x.from - 30.0, 6) + " " + compact((y.from + y.to) / 2.0, 6) + ")\"");
}

// Markers drawn on the same spot share one label ("1,3"); labels that
// would collide are stacked upward, or put below when they would leave the plot.
struct Label {
    double x;
    double y;
    std::vector<std::size_t> ranks;
};

std::vector<Label> groupLabels(const std::vector<Marker>& markers, const Scale& x, const Scale& y) {
    std::vector<Label> labels;
    for (const Marker& marker : markers) {
        if (marker.rank > kMaxLabels) continue;
        const double px = x(marker.x);
        const double py = y(marker.y);
        auto same = std::find_if(labels.begin(), labels.end(), [&](const Label& label) {
            return std::fabs(label.x - px) < 5.0 && std::fabs(label.y - py) < 5.0;
        });
        if (same == labels.end()) {
            labels.push_back({px, py, {marker.rank}});
        } else if (std::find(same->ranks.begin(), same->ranks.end(), marker.rank) ==
                   same->ranks.end()) {
            same->ranks.push_back(marker.rank);
        }
    }
    return labels;
}

void drawLabels(SvgCanvas& canvas, std::vector<Label> labels, const Scale& y,
                const Column& column) {
    std::sort(labels.begin(), labels.end(),
              [](const Label& a, const Label& b) { return a.ranks < b.ranks; });
    std::vector<Point> placed;
    for (Label& label : labels) {
        std::sort(label.ranks.begin(), label.ranks.end());
        std::string text;
        for (std::size_t rank : label.ranks)
            text += (text.empty() ? "" : ",") + std::to_string(rank);
        const double halfWidth = 3.5 * static_cast<double>(text.size()) + 4.0;
        double ly = label.y - 10.0;
        for (bool moved = true; moved;) {
            moved = false;
            for (const auto& [ox, oy] : placed) {
                if (std::fabs(ox - label.x) < halfWidth + 8.0 && std::fabs(oy - ly) < 11.0) {
                    ly = oy - 11.0;
                    moved = true;
                }
            }
        }
        if (ly < y.to + 4.0 || column.covers(label.x, halfWidth, ly)) ly = label.y + 18.0;
        placed.emplace_back(label.x, ly);
        const bool winner = label.ranks.front() == 1;
        canvas.text(label.x, ly, text,
                    textStyle(10.5, rankColour(label.ranks.front()), "middle", winner));
    }
}

void drawMarkers(SvgCanvas& canvas, std::vector<Marker> markers, const Scale& x, const Scale& y,
                 const Column& column) {
    std::sort(markers.begin(), markers.end(), [](const Marker& a, const Marker& b) {
        return a.rank > b.rank;  // the winner drawn last, on top
    });
    for (const Marker& marker : markers) {
        const std::string paint(rankColour(marker.rank));
        const std::string ring = marker.side < 0 ? "stroke=\"white\" stroke-width=\"1.5\""
                                                 : "stroke=\"" +
                                                       std::string(marker.side == 0
                                                                       ? colour::lowSide
                                                                       : colour::highSide) +
                                                       "\" stroke-width=\"2\" class=\"side-marker " +
                                                       (marker.side == 0 ? "low" : "high") + "\"";
        canvas.circle(x(marker.x), y(marker.y), marker.rank == 1 ? 6.0 : 4.5,
                      "fill=\"" + paint + "\" " + ring);
    }
    drawLabels(canvas, groupLabels(markers, x, y), y, column);
}

// Each candidate's two side markers are joined by a thin dotted connector;
// the arithmetic that joins them is written out, one line per candidate, in
// a column under the curves' legend, so that these labels never meet each
// other whatever the values.
Column drawCombinations(SvgCanvas& canvas, const Panel& panel, const Scale& x, const Scale& y) {
    for (const Combination& c : panel.combinations) {
        canvas.line(x(c.low.x), y(c.low.y), x(c.high.x), y(c.high.y),
                    "stroke=\"" + std::string(rankColour(c.low.rank)) +
                        "\" stroke-width=\"1\" stroke-dasharray=\"1,3\" class=\"side-connector\"");
    }
    double lineY = y.to + 12.0 * static_cast<double>(panel.curves.size() + 1);
    Column column{x.to, x.to, lineY - 9.0, lineY - 9.0};
    for (std::size_t k = 0; k < std::min(panel.combinations.size(), kMaxCombinations); ++k) {
        const Combination& c = panel.combinations[k];
        const std::string text = std::to_string(c.low.rank) + ": (" + decimals(c.low.y, 3) +
                                 " + " + decimals(c.high.y, 3) + ")/2 = " + decimals(c.score, 3);
        canvas.text(x.to - 4.0, lineY, text,
                    textStyle(9.5, rankColour(c.low.rank), "end", c.low.rank == 1) +
                        " stroke=\"white\" stroke-width=\"3\" paint-order=\"stroke\"" +
                        " class=\"side-combination\"");
        column.left = std::min(column.left, x.to - 4.0 - 5.4 * static_cast<double>(text.size()));
        column.bottom = lineY + 2.0;
        lineY += 11.0;
    }
    return column;
}

void drawCurves(SvgCanvas& canvas, const Panel& panel, const Scale& x, const Scale& y) {
    double legendY = y.to + 12.0;
    for (std::size_t c = 0; c < panel.curves.size(); ++c) {
        // The high side is dashed, so that it shows where it runs over the low side.
        const Curve& curve = panel.curves[c];
        canvas.polyline(sampleCurve(curve, x, y), "stroke=\"" + std::string(curve.paint) +
                                                      "\" stroke-width=\"2\"" +
                                                      (c == 1 ? " stroke-dasharray=\"6,4\"" : ""));
        if (!curve.name.empty()) {
            canvas.text(x.to - 4.0, legendY, curve.name, textStyle(10, curve.paint, "end"));
            legendY += 12.0;
        }
    }
}

void drawStraddle(SvgCanvas& canvas, const RunOutcome& outcome, std::size_t m, const Box& area) {
    double lo = 0.0;
    double hi = 0.0;
    for (const ScoredResult& result : outcome.results) {
        for (std::size_t k = 0; k < result.edges.size(); ++k) {
            lo = std::min(lo, result.edgeValue(k).position);
            hi = std::max(hi, result.edgeValue(k).position);
        }
    }
    const double pad = hi > lo ? (hi - lo) * 0.15 : 1.0;
    const Scale x{lo - pad, hi + pad, area.x, area.x + area.width};
    const Scale y{-0.1, 1.15, area.y + area.height, area.y};
    drawScoreGrid(canvas, x, y);
    canvas.line(x(0.0), area.y, x(0.0), area.y + area.height,
                "stroke=\"#999999\" stroke-dasharray=\"4,3\"");
    for (std::size_t r = std::min(outcome.results.size(), kMaxLabels); r-- > 0;) {
        const ScoredResult& result = outcome.results[r];
        if (result.edges.size() != 2) continue;
        const double score = result.methodScore(m);
        const double py = y(score) + (score > 0.5 ? 1.0 : -1.0) * static_cast<double>(r) * 6.0;
        const std::string paint(rankColour(r + 1));
        const double first = x(result.edgeValue(0).position);
        const double second = x(result.edgeValue(1).position);
        canvas.line(first, py, second, py, "stroke=\"" + paint + "\" stroke-width=\"2.5\"");
        canvas.text(first - 6.0, py + 4.0, std::to_string(r + 1),
                    textStyle(10, paint, "end", r == 0));
    }
    drawXAxis(canvas, x, area.y + area.height, "positions of the pair's edges, p0 to p1");
}

}  // namespace

void drawMethodPanel(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome, std::size_t m,
                     Box box) {
    const cclp_score& method = job.scoreMethods[m];
    const MethodInfo& info = *findMethod(method.method);
    canvas.rect(box.x, box.y, box.width, box.height, "fill=\"none\" stroke=\"#d0d0d0\"");
    canvas.text(box.x + 10.0, box.y + 19.0, std::to_string(m + 1) + ". " + std::string(info.name),
                textStyle(13, colour::ink, "start", true));
    if (!outcome.results.empty()) {
        canvas.text(box.x + box.width - 10.0, box.y + 19.0,
                    "rank 1 scores " + decimals(outcome.results[0].methodScore(m), 4),
                    textStyle(11, colour::winner, "end"));
    }
    canvas.text(box.x + 10.0, box.y + 34.0, "measures " + std::string(info.measures),
                textStyle(10.5, colour::faint));
    const Box area{box.x + 52.0, box.y + 70.0, box.width - 68.0, box.height - 70.0 - 38.0};
    if (info.function == FunctionKind::None) {
        canvas.text(box.x + 10.0, box.y + 47.0, "no function: p0 < 0 < p1 scores 1",
                    textStyle(10, colour::faint));
        drawStraddle(canvas, outcome, m, area);
        return;
    }
    if (method.isOneSided == 1) {
        canvas.text(box.x + 10.0, box.y + 47.0, functionText(method.oneSided),
                    textStyle(10, colour::faint));
    } else {
        canvas.text(box.x + 10.0, box.y + 47.0,
                    "low side: " + functionText(method.twoSided.lowSide),
                    textStyle(10, colour::lowSide));
        canvas.text(box.x + 10.0, box.y + 59.0,
                    "high side: " + functionText(method.twoSided.highSide),
                    textStyle(10, colour::highSide));
    }
    const Panel panel = functionPanel(job, outcome, m);
    const Scale x = valueScale(panel, area.x, area.x + area.width);
    const Scale y{-0.1, 1.15, area.y + area.height, area.y};
    drawScoreGrid(canvas, x, y);
    drawCurves(canvas, panel, x, y);
    const Column column = drawCombinations(canvas, panel, x, y);
    drawMarkers(canvas, panel.markers, x, y, column);
    drawXAxis(canvas, x, area.y + area.height, info.measures);
}

}  // namespace cclp_cli::plot
