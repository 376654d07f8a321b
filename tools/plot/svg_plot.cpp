#include "plot/svg_plot.hpp"

#include <string>
#include <utility>
#include <vector>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "plot/plot_parts.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/polarity.hpp"
#include "recording/schema.hpp"

namespace cclp_cli {
namespace plot {

std::string textStyle(double size, std::string_view fill, std::string_view anchor, bool bold) {
    return "font-size=\"" + compact(size) + "\" fill=\"" + std::string(fill) + "\" text-anchor=\"" +
           std::string(anchor) + "\"" + (bold ? " font-weight=\"bold\"" : "");
}

void drawXAxis(SvgCanvas& canvas, const Scale& x, double y, std::string_view label) {
    canvas.line(x.from, y, x.to, y, "stroke=\"#444\"");
    for (double tick : niceTicks(x.lo, x.hi, 7)) {
        canvas.line(x(tick), y, x(tick), y + 4, "stroke=\"#444\"");
        canvas.text(x(tick), y + 15, compact(tick), textStyle(10, colour::faint, "middle"));
    }
    canvas.text((x.from + x.to) / 2.0, y + 29, label, textStyle(10.5, colour::faint, "middle"));
}

std::string_view rankColour(std::size_t rank) { return rank == 1 ? colour::winner : colour::other; }

namespace {

constexpr double kTitleLine = 21.0;

std::string winnerText(const Recording& job, const RunOutcome& outcome) {
    if (outcome.results.empty()) return "no acceptable candidate: " + noResultReason(job);
    const ScoredResult& best = outcome.results[0];
    if (!hasAcceptableCandidate(outcome)) {
        return "no acceptable candidate: every kept candidate scores 0";
    }
    std::string text = job.sortByScore ? "winner: " : "first in candidate order: ";
    text += best.edges.size() == 2 ? "edges #" + std::to_string(best.edges[0].index) + " and #" +
                                         std::to_string(best.edges[1].index)
                                   : "edge #" + std::to_string(best.edges[0].index);
    return text + " at " + compact(best.positionValue(), 6) + ", score " +
           decimals(best.scoreValue(), 4);
}

// Legend entries, right-aligned on the line of the winner.
void drawLegend(SvgCanvas& canvas, double y) {
    constexpr std::pair<std::string_view, std::string_view> kEntries[] = {
        {colour::positive, "positive edge"},
        {colour::negative, "negative edge"},
        {colour::winner, "rank 1"},
        {colour::other, "other kept"},
        {colour::desired, "desired"}};
    constexpr double kCharWidth = 6.2;
    double x = kPageWidth - kMargin;
    for (const auto& [paint, label] : kEntries)
        x -= 32.0 + kCharWidth * static_cast<double>(label.size());
    for (const auto& [paint, label] : kEntries) {
        canvas.rect(x, y - 9.0, 10.0, 10.0, "fill=\"" + std::string(paint) + "\"");
        canvas.text(x + 14.0, y, label, textStyle(10.5, colour::faint));
        x += 32.0 + kCharWidth * static_cast<double>(label.size());
    }
}

// A description too long for one line is wrapped at spaces, two lines at most.
std::vector<std::string> titleLines(const std::string& title) {
    constexpr std::size_t kLineLength = 88;
    std::vector<std::string> lines;
    std::string rest = title;
    while (rest.size() > kLineLength && lines.empty()) {
        std::size_t cut = rest.rfind(' ', kLineLength);
        if (cut == std::string::npos || cut == 0) cut = kLineLength;
        lines.push_back(rest.substr(0, cut));
        rest.erase(0, rest.find_first_not_of(' ', cut));
    }
    if (rest.size() > kLineLength) rest = rest.substr(0, kLineLength - 3) + "...";
    lines.push_back(rest);
    return lines;
}

std::string edgeModelText(const Recording& job) {
    const auto polarity = [&](std::size_t k) {
        return std::string(polarityName(job.desiredEdges[k].polarity));
    };
    if (!job.pairs()) return "single edges, polarity " + polarity(0);
    return "edge pairs, " + polarity(0) + " then " + polarity(1) + ", expected width " +
           compact(job.expectedWidth(), 6);
}

std::vector<std::string> headerTitle(const Recording& job) {
    return titleLines(job.description.empty() ? "cclp-score" : job.description);
}

double headerHeight(const Recording& job) {
    return 78.0 + kTitleLine * static_cast<double>(headerTitle(job).size() - 1);
}

void drawHeader(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome) {
    double y = 30.0;
    for (const std::string& line : headerTitle(job)) {
        canvas.text(kMargin, y, line, textStyle(16, colour::ink, "start", true));
        y += kTitleLine;
    }
    y -= kTitleLine;
    std::string run =
        outcome.entryPoint + ", " +
        (outcome.fixedPoint() ? "fixed point (1/256)" : "floating point") +
        "; " + std::to_string(job.edges.size()) + " edges; " + edgeModelText(job) + "; " +
        std::to_string(outcome.results.size()) + " kept";
    canvas.text(kMargin, y + 20.0, run, textStyle(11.5, colour::faint));
    const std::string_view verdictColour =
        hasAcceptableCandidate(outcome) ? colour::winner : colour::warning;
    canvas.text(kMargin, y + 38.0, winnerText(job, outcome),
                textStyle(12.5, verdictColour, "start", true));
    drawLegend(canvas, y + 38.0);
}

}  // namespace
}  // namespace plot

std::string renderPlot(const Recording& job, const RunOutcome& outcome, const ImageRegion* region) {
    using namespace plot;
    const double stripHeight = caliperStripHeight(job, outcome);
    const std::size_t numMethods = job.scoreMethods.size();
    const std::size_t panelRows = (numMethods + 1) / 2;
    const bool showImage = region != nullptr && job.image && !region->gray.empty();
    const double imageTop = headerHeight(job);
    const double top = imageTop + (showImage ? kImagePanelHeight + 16.0 : 0.0);
    const double panelsTop = top + stripHeight + 16.0;
    const double height =
        panelsTop + static_cast<double>(panelRows) * (kPanelHeight + 12.0) + kMargin;

    SvgCanvas canvas(kPageWidth, height);
    drawHeader(canvas, job, outcome);
    const double contentWidth = kPageWidth - 2.0 * kMargin;
    if (showImage) {
        drawImageRegion(canvas, job, outcome, *region, {kMargin, imageTop, contentWidth, kImagePanelHeight});
    }
    drawCaliperStrip(canvas, job, outcome, {kMargin, top, contentWidth, stripHeight});
    const double panelWidth = (contentWidth - 16.0) / 2.0;
    for (std::size_t m = 0; m < numMethods; ++m) {
        const double x = kMargin + static_cast<double>(m % 2) * (panelWidth + 16.0);
        const double y = panelsTop + static_cast<double>(m / 2) * (kPanelHeight + 12.0);
        drawMethodPanel(canvas, job, outcome, m, {x, y, panelWidth, kPanelHeight});
    }
    return canvas.finish();
}

}  // namespace cclp_cli
