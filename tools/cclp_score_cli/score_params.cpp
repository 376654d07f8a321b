#include "cclp_score_cli/score_params.hpp"

#include <string>

#include "cclp_score_cli/input_error.hpp"
#include "cclp_score_cli/method_table.hpp"

namespace cclp_cli {
namespace {

std::string methodField(std::size_t index) {
    return "params.scoreMethods[" + std::to_string(index) + "]";
}

}  // namespace

void checkMethodsSuitEdgeModel(const Job& job) {
    if (job.desiredEdges.size() != 1 && job.desiredEdges.size() != 2) return;  // the library says
    const bool pairs = job.pairs();
    for (std::size_t i = 0; i < job.scoreMethods.size(); ++i) {
        const cclp_score& score = job.scoreMethods[i];
        const MethodInfo& method = *findMethod(score.method);
        if (method.pairsOnly && !pairs) {
            throw InputError(methodField(i) + ".method",
                             "'" + std::string(method.name) +
                                 "' scores edge pairs, but params.desiredEdges describes a "
                                 "single edge");
        }
        const FunctionKind read = functionRead(method, pairs);
        const bool built = score.isOneSided == 1;
        if ((read == FunctionKind::OneSided && !built) ||
            (read == FunctionKind::TwoSided && built)) {
            const bool wantTwo = read == FunctionKind::TwoSided;
            throw InputError(methodField(i), "'" + std::string(method.name) + "' on " +
                                                 (pairs ? "edge pairs" : "single edges") +
                                                 " scores through a " +
                                                 (wantTwo ? "two-sided function: give twoSided"
                                                          : "one-sided function: give oneSided"));
        }
    }
}

// The runs size their working block in 32-bit counts: one row of method
// scores per candidate, and n * (n - 1) for the pairs.
void checkRunSize(const Job& job) {
    const auto n = static_cast<int64_t>(job.edges.size());
    const auto m = static_cast<int64_t>(job.scoreMethods.size());
    const int64_t candidates = job.pairs() ? n * (n - 1) / 2 : n;
    constexpr int64_t kLimit = INT32_MAX;
    if ((job.pairs() && n * (n - 1) > kLimit) || candidates * m > kLimit || n > kLimit) {
        throw InputError("caliper.edges",
                         std::to_string(n) + " edges give " + std::to_string(candidates) +
                             " candidates of " + std::to_string(m) +
                             " method scores each, more than a run can count in 32 bits");
    }
}

namespace {

cclp::score::DesiredEdge desiredEdge(const cclp_desiredEdge& edge) {
    return {edge.position, static_cast<cclp::score::Polarity>(edge.polarity)};
}

void setDesiredEdges(cclp::score::Params& params, const Job& job) {
    std::error_code ec;
    if (job.desiredEdges.size() == 1) {
        params.single(desiredEdge(job.desiredEdges[0]), ec);
    } else if (job.desiredEdges.size() == 2) {
        params.pair(desiredEdge(job.desiredEdges[0]), desiredEdge(job.desiredEdges[1]), ec);
    } else {
        throw InputError("params.desiredEdges",
                         "give one desired edge (single edges) or two (edge pairs), not " +
                             std::to_string(job.desiredEdges.size()));
    }
    requireAccepted(ec, "params.desiredEdges", "cclp_scoreParams_setDesiredEdges");
}

}  // namespace

cclp::score::Params buildParams(const Job& job) {
    std::error_code ec;
    cclp::score::Params params = cclp::score::Params::make(ec);
    if (ec) throw RunError("cannot construct the score parameters: " + describeStatus(ec), ec.value());
    setDesiredEdges(params, job);
    checkMethodsSuitEdgeModel(job);
    checkRunSize(job);
    const std::vector<cclp::score::Method> methods(job.scoreMethods.begin(), job.scoreMethods.end());
    params.methods(methods, ec);
    requireAccepted(ec, "params.scoreMethods", "cclp_scoreParams_setScoreMethods");
    params.maxResults(job.maxNumResults, ec);
    requireAccepted(ec, "params.maxNumResults", "cclp_scoreParams_setMaxNumResults");
    params.sorted(job.sortByScore);
    return params;
}

}  // namespace cclp_cli
