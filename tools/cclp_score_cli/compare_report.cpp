#include "cclp_score_cli/compare_report.hpp"

#include <algorithm>
#include <cmath>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/compare_tolerance.hpp"
#include "cclp_score_cli/printable_text.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "recording/method_table.hpp"

namespace cclp_cli {
namespace {

std::string candidateText(const ScoredResult* result) {
    if (result == nullptr) return "-";
    return indexList(result->edgeIndices()) + "  " + decimals(result->scoreValue(), 4);
}

std::string differenceText(const ScoreDifference& d) {
    return decimals(d.difference, 4) + (d.beyond() ? "  BEYOND " : "  within ") + decimals(d.allowed, 4);
}

std::string quantumText(const cclp_score& method, double expectedWidth) {
    if (method.method == cclp_scoreMethodStraddle) return "an edge within 1/256 of the centre";
    return "measured +-" + compact(measuredQuantum(method, expectedWidth) * 256.0, 3) + "/256";
}

}  // namespace

void ScoreDifference::add(double candidateDifference, double allowance) {
    // Nearest as a share of the allowance: d / a above the kept one's.
    const double nearer = candidateDifference * allowed - difference * allowance;
    if (candidates++ == 0 || nearer > 0.0 || (nearer == 0.0 && candidateDifference > difference)) {
        difference = candidateDifference;
        allowed = allowance;
    }
}

bool Comparison::beyond() const {
    return combined.beyond() ||
           std::any_of(methods.begin(), methods.end(), [](const ScoreDifference& d) { return d.beyond(); });
}

Comparison compareRuns(const Recording& job, const RunOutcome& floating, const RunOutcome& fixed) {
    Comparison comparison;
    comparison.methods.resize(job.scoreMethods.size());
    for (const ScoredResult& a : floating.results) {
        const auto same = std::find_if(fixed.results.begin(), fixed.results.end(),
                                       [&](const ScoredResult& b) {
                                           return a.edgeIndices() == b.edgeIndices();
                                       });
        if (same == fixed.results.end()) continue;
        ++comparison.compared;
        std::vector<double> scores, allowances;
        for (std::size_t m = 0; m < job.scoreMethods.size(); ++m) {
            scores.push_back(a.methodScore(m));
            allowances.push_back(methodTolerance(job.scoreMethods[m], a.edgeValues(), job.expectedWidth()));
            comparison.methods[m].add(std::fabs(a.methodScore(m) - same->methodScore(m)), allowances.back());
        }
        comparison.combined.add(std::fabs(a.scoreValue() - same->scoreValue()),
                                combinedTolerance(scores, allowances));
    }
    comparison.rankingDiffers = floating.results.size() != fixed.results.size();
    for (std::size_t r = 0; !comparison.rankingDiffers && r < floating.results.size(); ++r) {
        comparison.rankingDiffers = floating.results[r].edgeIndices() != fixed.results[r].edgeIndices();
    }
    return comparison;
}

std::string formatComparison(const Recording& job, const RunOutcome& floating, const RunOutcome& fixed) {
    std::string text;
    if (!job.description.empty()) text += printableText(job.description) + "\n";
    text += floating.entryPoint + ": floating point against fixed point (1/256)\n\n";
    text += "rank  floating point          fixed point\n";
    const std::size_t rows = std::max(floating.results.size(), fixed.results.size());
    for (std::size_t r = 0; r < rows; ++r) {
        std::string line = std::to_string(r + 1);
        line.resize(6, ' ');
        std::string left =
            candidateText(r < floating.results.size() ? &floating.results[r] : nullptr);
        left.resize(std::max<std::size_t>(24, left.size() + 2), ' ');
        text += line + left + candidateText(r < fixed.results.size() ? &fixed.results[r] : nullptr) +
                "\n";
    }
    const Comparison comparison = compareRuns(job, floating, fixed);
    text += "\neach score's difference nearest its allowance over the " +
            std::to_string(comparison.compared) +
            " candidates both kept\n(allowed: the function's change over the measured value's "
            "quantum, plus rounding):\n";
    std::size_t nameWidth = 8;
    for (const cclp_score& method : job.scoreMethods) {
        nameWidth = std::max(nameWidth, std::string_view(findMethod(method.method)->name).size());
    }
    for (std::size_t m = 0; m < comparison.methods.size(); ++m) {
        std::string name(findMethod(job.scoreMethods[m].method)->name);
        name.resize(nameWidth, ' ');
        std::string line = "  " + name + "  " + differenceText(comparison.methods[m]);
        line.resize(std::max<std::size_t>(line.size(), nameWidth + 28), ' ');
        text += line + "  " + quantumText(job.scoreMethods[m], job.expectedWidth()) + "\n";
    }
    std::string combined = "combined";
    combined.resize(nameWidth, ' ');
    text += "  " + combined + "  " + differenceText(comparison.combined) + "\n";
    text += comparison.rankingDiffers ? "ranking: DIFFERS\n" : "ranking: the same\n";
    return text;
}

}  // namespace cclp_cli
