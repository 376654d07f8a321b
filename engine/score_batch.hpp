// A batch of candidates scored together: single edges, or the pairs that
// share their first edge. The batch is scored method after method, so that
// the choice of each method's formula is made once per batch and the loop
// over the candidates applies it directly. Methods that could fail or report
// a precondition for a reason other than a candidate's own values are
// scored through the checked evaluation instead, one candidate per batch,
// which keeps the order in which a run meets failures and attention polls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cclp_score/cclp_score_params.h"
#include "cclp_score/cclp_status.h"
#include "frame/check.hpp"
#include "engine/evaluate.hpp"
#include "engine/function_value.hpp"

namespace cclp {

// A score method with its functions prepared for a loop over many
// candidates: directions and split point worked out once.
template <class Method>
struct PreparedMethod {
    int32_t method;
    OrientedFunction<decltype(Method::oneSided)> oneSided;
    SplitFunction<decltype(Method::twoSided)> twoSided;

    explicit PreparedMethod(const Method& m)
        : method(m.method), oneSided(m.oneSided), twoSided(m.twoSided) {}
};

template <class Edge>
class ScoreBatch {
public:
    using Number = EdgeNumber<Edge>;
    using Method = MethodFor<Edge>;

    // Method m's scores of the batch's candidates lie at
    // scores[m * capacity ...]; edges holds capacity edge indices.
    ScoreBatch(Number* scores, int32_t* edges, int32_t capacity)
        : scores_(scores), edges_(edges), capacity_(capacity), limit_(capacity) {}

    // Batches of one candidate, for methods that must be checked for every
    // candidate. (A batch without room forms no candidate at all.)
    void scoreOneByOne() { limit_ = 1; }

    // Adds the candidate of this edge index when it passes; written either
    // way, so the caller's test needs no branch. The batch must not be full.
    void addIf(int32_t edge, bool passes) {
        edges_[count_] = edge;
        count_ += passes ? 1 : 0;
    }

    bool full() const { return count_ >= limit_; }
    int32_t size() const { return count_; }
    int32_t edge(int32_t t) const { return edges_[t]; }
    Number score(int32_t method, int32_t t) const {
        return scores_[static_cast<size_t>(method) * static_cast<size_t>(capacity_) +
                       static_cast<size_t>(t)];
    }
    void clear() { count_ = 0; }

    // Scores every candidate of the batch against every method. first is
    // the pairs' shared first edge, or null for single edges. Returns the
    // first failure of a checked evaluation.
    int32_t scoreAll(const Method* methods, int32_t numMethods, const Edge* edges,
                     const Edge* first, const cclp_desiredEdge* desiredEdges, Number width,
                     bool checked) {
        for (int32_t m = 0; m < numMethods; ++m) {
            Number* out = scores_ + static_cast<size_t>(m) * static_cast<size_t>(capacity_);
            if (checked) {
                CCLP_RETURN_IF_FAILED(
                    scoreChecked(methods[m], edges, first, desiredEdges, width, out));
            } else if (first != nullptr) {
                scoreDirectly<true>(methods[m], edges, *first, width, out);
            } else {
                scoreDirectly<false>(methods[m], edges, edges[0], width, out);
            }
        }
        return CCLP_STATUS_OK;
    }

private:
    template <bool Pair>
    void scoreDirectly(const Method& method, const Edge* edges, const Edge& first, Number width,
                       Number* out) const {
        // A local copy: the stores into out cannot change what the loop reads.
        const PreparedMethod<Method> local(method);
        const Edge shared = first;
        visitMethod(local.method, [&](auto kind) {
            constexpr int32_t kKind = decltype(kind)::value;
            // Other methods never come here (evaluatesQuietly).
            if constexpr (formulaAlone<Edge>(kKind, Pair)) {
                for (int32_t t = 0; t < count_; ++t) {
                    const Edge& edge = edges[edges_[t]];
                    if constexpr (Pair) {
                        out[t] = detail::methodScore<kKind, true>(local, shared, edge, width);
                    } else {
                        out[t] = detail::methodScore<kKind, false>(local, edge, edge, width);
                    }
                }
            }
        });
    }

    int32_t scoreChecked(const Method& method, const Edge* edges, const Edge* first,
                         const cclp_desiredEdge* desiredEdges, Number width, Number* out) const {
        for (int32_t t = 0; t < count_; ++t) {
            const Edge& edge = edges[edges_[t]];
            if (first == nullptr) {
                CCLP_RETURN_IF_FAILED(
                    evaluationOf<Edge>(&method, 1, &edge, desiredEdges, width, &out[t]));
            } else {
                const Edge pair[2] = {*first, edge};
                CCLP_RETURN_IF_FAILED(
                    evaluationOf<Edge>(&method, 2, pair, desiredEdges, width, &out[t]));
            }
        }
        return CCLP_STATUS_OK;
    }

    Number* scores_;
    int32_t* edges_;
    int32_t capacity_;
    int32_t limit_;
    int32_t count_ = 0;
};

}  // namespace cclp
