#include "cclp_score_cli/table_output.hpp"

#include <algorithm>
#include <sstream>
#include <vector>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/measurements.hpp"
#include "cclp_score_cli/printable_text.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/method_table.hpp"
#include "recording/polarity.hpp"
#include "recording/schema.hpp"

namespace cclp_cli {
namespace {

class TextTable {
public:
    explicit TextTable(std::vector<bool> leftAligned) : leftAligned_(std::move(leftAligned)) {}

    void add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

    std::string render() const {
        std::vector<std::size_t> widths(leftAligned_.size(), 0);
        for (const auto& row : rows_) {
            for (std::size_t c = 0; c < row.size(); ++c)
                widths[c] = std::max(widths[c], row[c].size());
        }
        std::string text;
        for (const auto& row : rows_) {
            std::string line;
            for (std::size_t c = 0; c < row.size(); ++c) {
                const std::string pad(widths[c] - row[c].size(), ' ');
                line += (c == 0 ? "" : "  ") + (leftAligned_[c] ? row[c] + pad : pad + row[c]);
            }
            line.erase(line.find_last_not_of(' ') + 1);
            text += line + "\n";
        }
        return text;
    }

private:
    std::vector<bool> leftAligned_;
    std::vector<std::vector<std::string>> rows_;
};

std::string desiredEdgeText(const cclp_desiredEdge& edge) {
    return std::string(polarityName(edge.polarity)) + " at " + compact(edge.position, 6);
}

std::string summaryLine(const Recording& job, const RunOutcome& outcome) {
    std::ostringstream line;
    line << outcome.entryPoint << ", "
         << (outcome.fixedPoint() ? "fixed point (1/256)" : "floating point") << "; "
         << job.edges.size() << (job.edges.size() == 1 ? " edge; " : " edges; ");
    if (job.pairs()) {
        line << "edge pairs: " << desiredEdgeText(job.desiredEdges[0]) << ", "
             << desiredEdgeText(job.desiredEdges[1]) << " (width "
             << compact(job.expectedWidth(), 6) << ")";
    } else {
        line << "single edges of polarity " << polarityName(job.desiredEdges[0].polarity);
    }
    line << "; " << outcome.results.size() << " of at most " << job.maxNumResults
         << (job.sortByScore ? ", best first" : ", in candidate order (not sorted)");
    return line.str();
}

std::string edgeCell(const ScoredResult& result, std::size_t k, bool extended) {
    const Edge edge = result.edgeValue(k);
    std::string cell = "#" + std::to_string(result.edges[k].index) + " " +
                       decimals(edge.position, 3) + " (" + signedDecimals(edge.contrast, 2) + ")";
    if (extended) {
        cell += " [" + compact(edge.extra1) + " " + compact(edge.extra2) + " " +
                compact(edge.extra3) + "]";
    }
    return cell;
}

std::string measuredCell(const cclp_score& method, const ScoredResult& result, double width) {
    std::string cell;
    for (double value : measuredValues(method, result.edgeValues(), width)) {
        cell += (cell.empty() ? "" : "/") + compact(value, 6);
    }
    return cell.empty() ? "-" : cell;
}

}  // namespace

std::string formatTable(const Recording& job, const RunOutcome& outcome, bool measured) {
    std::string text;
    if (!job.description.empty()) text += printableText(job.description) + "\n";
    text += summaryLine(job, outcome) + "\n\n";
    if (outcome.results.empty()) {
        return text + "no results: " + noResultReason(job) + "\n";
    }
    const std::size_t numMethods = job.scoreMethods.size();
    const std::size_t numEdges = job.pairs() ? 2 : 1;
    const std::size_t methodColumns = measured ? 2 * numMethods : numMethods;
    std::vector<bool> leftAligned(3 + methodColumns, false);
    leftAligned.insert(leftAligned.end(), numEdges, true);
    TextTable table(leftAligned);

    std::vector<std::string> header{"rank", "position", "score"};
    for (const cclp_score& method : job.scoreMethods) {
        header.emplace_back(findMethod(method.method)->name);
        if (measured) header.emplace_back("measured");
    }
    header.emplace_back(numEdges == 2 ? "first edge" : "edge (position, contrast)");
    if (numEdges == 2) header.emplace_back("second edge");
    table.add(header);

    const bool extended = outcome.entryPoint == "cclp_runScoreEx";
    for (std::size_t r = 0; r < outcome.results.size(); ++r) {
        const ScoredResult& result = outcome.results[r];
        std::vector<std::string> row{std::to_string(r + 1), decimals(result.positionValue(), 3),
                                     decimals(result.scoreValue(), 4)};
        for (std::size_t m = 0; m < numMethods; ++m) {
            row.push_back(decimals(result.methodScore(m), 4));
            if (measured) row.push_back(measuredCell(job.scoreMethods[m], result, job.expectedWidth()));
        }
        for (std::size_t k = 0; k < result.edges.size(); ++k)
            row.push_back(edgeCell(result, k, extended));
        table.add(row);
    }
    text += table.render();
    if (extended) text += "\nedges: #index position (contrast) [extra1 extra2 extra3]\n";
    if (!hasAcceptableCandidate(outcome)) {
        text += "\nno acceptable candidate: every kept candidate scores 0\n";
    }
    return text;
}

}  // namespace cclp_cli
