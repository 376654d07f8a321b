#include "recording/run_inputs.hpp"

#include <string>

#include "recording/document_error.hpp"
#include "recording/method_table.hpp"
#include "recording/schema.hpp"

namespace cclp_recording {
namespace {

std::string desiredEdgesField() { return fieldPath(key::params, key::desiredEdges); }

std::string methodField(std::size_t index) {
    return fieldPath(key::params, key::scoreMethods) + "[" + std::to_string(index) + "]";
}

}  // namespace

void checkMethodsSuitEdgeModel(const Recording& recording) {
    if (recording.desiredEdges.size() != 1 && recording.desiredEdges.size() != 2) return;  // the library says
    const bool pairs = recording.pairs();
    for (std::size_t i = 0; i < recording.scoreMethods.size(); ++i) {
        const cclp_score& score = recording.scoreMethods[i];
        const MethodInfo& method = *findMethod(score.method);
        if (method.pairsOnly && !pairs) {
            throw InputError(fieldPath(methodField(i), key::method),
                             "'" + std::string(method.name) +
                                 "' scores edge pairs, but " + desiredEdgesField() +
                                 " describes a single edge");
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
void checkRunSize(const Recording& recording) {
    const auto n = static_cast<int64_t>(recording.edges.size());
    const auto m = static_cast<int64_t>(recording.scoreMethods.size());
    const int64_t candidates = recording.pairs() ? n * (n - 1) / 2 : n;
    constexpr int64_t kLimit = INT32_MAX;
    if ((recording.pairs() && n * (n - 1) > kLimit) || candidates * m > kLimit || n > kLimit) {
        throw InputError(fieldPath(key::caliper, key::edges),
                         std::to_string(n) + " edges give " + std::to_string(candidates) +
                             " candidates of " + std::to_string(m) +
                             " method scores each, more than a run can count in 32 bits");
    }
}

namespace {

cclp::score::DesiredEdge desiredEdge(const cclp_desiredEdge& edge) {
    return {edge.position, static_cast<cclp::score::Polarity>(edge.polarity)};
}

void setDesiredEdges(cclp::score::Params& params, const Recording& recording) {
    std::error_code ec;
    if (recording.desiredEdges.size() == 1) {
        params.single(desiredEdge(recording.desiredEdges[0]), ec);
    } else if (recording.desiredEdges.size() == 2) {
        params.pair(desiredEdge(recording.desiredEdges[0]), desiredEdge(recording.desiredEdges[1]), ec);
    } else {
        throw InputError(desiredEdgesField(),
                         "give one desired edge (single edges) or two (edge pairs), not " +
                             std::to_string(recording.desiredEdges.size()));
    }
    requireAccepted(ec, desiredEdgesField(), "cclp_scoreParams_setDesiredEdges");
}

}  // namespace

cclp::score::Params buildParams(const Recording& recording) {
    std::error_code ec;
    cclp::score::Params params = cclp::score::Params::make(ec);
    if (ec) throw RunError("cannot construct the score parameters: " + describeStatus(ec), ec.value());
    setDesiredEdges(params, recording);
    checkMethodsSuitEdgeModel(recording);
    checkRunSize(recording);
    const std::vector<cclp::score::Method> methods(recording.scoreMethods.begin(), recording.scoreMethods.end());
    params.methods(methods, ec);
    requireAccepted(ec, fieldPath(key::params, key::scoreMethods), "cclp_scoreParams_setScoreMethods");
    params.maxResults(recording.maxNumResults, ec);
    requireAccepted(ec, fieldPath(key::params, key::maxNumResults), "cclp_scoreParams_setMaxNumResults");
    params.sorted(recording.sortByScore);
    return params;
}

void checkRunInputs(const Recording& recording) { (void)buildParams(recording); }

}  // namespace cclp_recording
