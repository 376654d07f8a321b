#include "svg_plot.hpp"

#include <string>

#include "method_table.hpp"
#include "plot_parts.hpp"
#include "text_format.hpp"

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

constexpr double kHeaderHeight = 78.0;

std::string winnerText(const Job& job, const RunOutcome& outcome) {
    if (outcome.results.empty()) return "no candidate has the desired polarity";
    const ScoredResult& best = outcome.results[0];
    std::string text = job.sortByScore ? "winner: " : "first in candidate order: ";
    text += best.edges.size() == 2 ? "edges #" + std::to_string(best.edges[0].index) + " and #" +
                                         std::to_string(best.edges[1].index)
                                   : "edge #" + std::to_string(best.edges[0].index);
    return text + " at " + compact(best.positionValue(), 6) + ", score " +
           decimals(best.scoreValue(), 4);
}

void drawHeader(SvgCanvas& canvas, const Job& job, const RunOutcome& outcome) {
    const std::string title = job.description.empty() ? "cclp-score" : job.description;
    canvas.text(kMargin, 30, title, textStyle(17, colour::ink, "start", true));
    std::string run = outcome.entryPoint + ", " +
                      (outcome.fixedPoint() ? "fixed point (curves drawn in floating point)"
                                            : "floating point") +
                      "; " + std::to_string(job.edges.size()) + " edges; " +
                      (job.pairs() ? "edge pairs, expected width " + compact(job.expectedWidth(), 6)
                                   : std::string("single edges")) +
                      "; " + std::to_string(outcome.results.size()) + " kept";
    canvas.text(kMargin, 50, run, textStyle(11.5, colour::faint));
    canvas.text(kMargin, 68, winnerText(job, outcome), textStyle(12.5, colour::winner, "start", true));
}

}  // namespace
}  // namespace plot

std::string renderPlot(const Job& job, const RunOutcome& outcome) {
    using namespace plot;
    const double stripHeight = caliperStripHeight(job, outcome);
    const std::size_t numMethods = job.scoreMethods.size();
    const std::size_t panelRows = (numMethods + 1) / 2;
    const double panelsTop = kHeaderHeight + stripHeight + 16.0;
    const double height = panelsTop + static_cast<double>(panelRows) * (kPanelHeight + 12.0) + kMargin;

    SvgCanvas canvas(kPageWidth, height);
    drawHeader(canvas, job, outcome);
    const double contentWidth = kPageWidth - 2.0 * kMargin;
    drawCaliperStrip(canvas, job, outcome, {kMargin, kHeaderHeight, contentWidth, stripHeight});
    const double panelWidth = (contentWidth - 16.0) / 2.0;
    for (std::size_t m = 0; m < numMethods; ++m) {
        const double x = kMargin + static_cast<double>(m % 2) * (panelWidth + 16.0);
        const double y = panelsTop + static_cast<double>(m / 2) * (kPanelHeight + 12.0);
        drawMethodPanel(canvas, job, outcome, m, {x, y, panelWidth, kPanelHeight});
    }
    return canvas.finish();
}

}  // namespace cclp_cli
