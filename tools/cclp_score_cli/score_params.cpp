#include "cclp_score_cli/score_params.hpp"

#include <string>

#include "cclp_score_cli/input_error.hpp"
#include "cclp_score_cli/method_table.hpp"

namespace cclp_cli {
namespace {

std::string methodField(std::size_t index) {
    return "params.scoreMethods[" + std::to_string(index) + "]";
}

// The library tests its array pointers before their counts; an empty list
// still gets a valid pointer, so that the count is what it reports on.
template <class T>
const T* arrayOf(const std::vector<T>& items) {
    static const T placeholder{};
    return items.empty() ? &placeholder : items.data();
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
        if ((read == FunctionKind::oneSided && !built) ||
            (read == FunctionKind::twoSided && built)) {
            const bool wantTwo = read == FunctionKind::twoSided;
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

ScoreParams::ScoreParams(const Job& job) {
    requireAccepted(cclp_scoreParams_construct(&params_), "params", "cclp_scoreParams_construct");
    try {
        requireAccepted(
            cclp_scoreParams_setDesiredEdges(
                &params_, static_cast<int32_t>(job.desiredEdges.size()), arrayOf(job.desiredEdges)),
            "params.desiredEdges", "cclp_scoreParams_setDesiredEdges");
        checkMethodsSuitEdgeModel(job);
        checkRunSize(job);
        requireAccepted(
            cclp_scoreParams_setScoreMethods(
                &params_, static_cast<int32_t>(job.scoreMethods.size()), arrayOf(job.scoreMethods)),
            "params.scoreMethods", "cclp_scoreParams_setScoreMethods");
        requireAccepted(cclp_scoreParams_setMaxNumResults(&params_, job.maxNumResults),
                        "params.maxNumResults", "cclp_scoreParams_setMaxNumResults");
        cclp_scoreParams_setSortByScore(&params_, job.sortByScore ? 1 : 0);
    } catch (...) {
        cclp_scoreParams_destruct(&params_);
        throw;
    }
}

ScoreParams::~ScoreParams() { cclp_scoreParams_destruct(&params_); }

}  // namespace cclp_cli
