#include "cclp_score_cli/compare_report.hpp"

#include <algorithm>
#include <cmath>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "recording/method_table.hpp"

namespace cclp_cli {
namespace {

std::string candidateText(const ScoredResult* result) {
    if (result == nullptr) return "-";
    return indexList(result->edgeIndices()) + "  " + decimals(result->scoreValue(), 4);
}

std::string withinTolerance(double difference, double tolerance) {
    return decimals(difference, 4) + (difference <= tolerance ? "  within " : "  BEYOND ") +
           compact(tolerance * 256.0) + "/256";
}

}  // namespace

Comparison compareRuns(const RunOutcome& floating, const RunOutcome& fixed) {
    Comparison comparison;
    for (const ScoredResult& a : floating.results) {
        if (comparison.methodDifferences.size() < a.scores.size()) {
            comparison.methodDifferences.resize(a.scores.size(), 0.0);
        }
        const auto same = std::find_if(fixed.results.begin(), fixed.results.end(),
                                       [&](const ScoredResult& b) {
                                           return a.edgeIndices() == b.edgeIndices();
                                       });
        if (same == fixed.results.end()) continue;
        ++comparison.compared;
        for (std::size_t m = 0; m < a.scores.size(); ++m) {
            const double difference = std::fabs(a.methodScore(m) - same->methodScore(m));
            comparison.methodDifferences[m] = std::max(comparison.methodDifferences[m], difference);
        }
        comparison.combinedDifference =
            std::max(comparison.combinedDifference, std::fabs(a.scoreValue() - same->scoreValue()));
    }
    comparison.rankingDiffers = floating.results.size() != fixed.results.size();
    for (std::size_t r = 0; !comparison.rankingDiffers && r < floating.results.size(); ++r) {
        comparison.rankingDiffers = floating.results[r].edgeIndices() != fixed.results[r].edgeIndices();
    }
    return comparison;
}

std::string formatComparison(const Recording& job, const RunOutcome& floating, const RunOutcome& fixed) {
    std::string text;
    if (!job.description.empty()) text += job.description + "\n";
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
    const Comparison comparison = compareRuns(floating, fixed);
    text += "\nlargest difference over the " + std::to_string(comparison.compared) +
            " candidates both kept:\n";
    std::size_t nameWidth = 8;
    for (const cclp_score& method : job.scoreMethods) {
        nameWidth = std::max(nameWidth, std::string_view(findMethod(method.method)->name).size());
    }
    for (std::size_t m = 0; m < comparison.methodDifferences.size(); ++m) {
        std::string name(findMethod(job.scoreMethods[m].method)->name);
        name.resize(nameWidth, ' ');
        text += "  " + name + "  " +
                withinTolerance(comparison.methodDifferences[m], kMethodTolerance) + "\n";
    }
    std::string combined = "combined";
    combined.resize(nameWidth, ' ');
    text += "  " + combined + "  " +
            withinTolerance(comparison.combinedDifference, kCombinedTolerance) + "\n";
    text += comparison.rankingDiffers ? "ranking: DIFFERS\n" : "ranking: the same\n";
    return text;
}

}  // namespace cclp_cli
