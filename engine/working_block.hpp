// The one allocation a run makes for itself, sized once before the scan:
// the candidates it keeps for its results (candidate_selection.hpp), each
// with its row of method scores and its edge indices, and the batch being
// scored (score_batch.hpp): per-method scores and edge indices.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/candidate_selection.hpp"
#include "cclp_score/cclp_status.h"
#include "csys_runtime.h"
#include "engine/scored_candidate.hpp"

namespace cclp {

// Candidates scored together at most: enough to make the choice of each
// method's formula negligible, few enough to stay in the first-level cache.
inline constexpr int32_t kScoreBatchCapacity = 256;

struct BlockPlan {
    int32_t kept;   // candidates the selection can hold
    int32_t batch;  // candidates scored together
    int32_t numMethods;
    size_t bytes;
};

namespace detail {

// Whether the input lies inside the data model: a run counts the ordered
// pairs of its edges, n*(n-1), and the method scores of every candidate it
// can form, K*M, in 32 bits. Inputs beyond that are refused; all others run,
// since the block holds only what the run keeps. The number of candidates K
// comes back in `candidates`.
inline bool countsFit(int32_t numEdges, int32_t numMethods, bool pairs, int64_t& candidates) {
    constexpr int64_t kLimit = INT32_MAX;
    candidates = numEdges;
    if (pairs) {
        const int64_t orderedPairs = static_cast<int64_t>(numEdges) * (numEdges - 1);
        if (orderedPairs > kLimit) return false;
        candidates = orderedPairs / 2;
    }
    return candidates * numMethods <= kLimit;
}

}  // namespace detail

template <class Number>
int32_t planWorkingBlock(int32_t numEdges, int32_t numMethods, bool pairs,
                         const SelectionRule& rule, BlockPlan& plan) {
    int64_t candidates = 0;
    if (!detail::countsFit(numEdges, numMethods, pairs, candidates)) {
        return CSYS_STATUS_OUT_OF_MEMORY;
    }
    const int64_t kept = selectionCapacity(rule, candidates);
    // Single edges are batched as they come, pairs per first edge.
    const int64_t perBatch = pairs ? std::max(numEdges - 1, 0) : numEdges;
    const int64_t batch = std::min<int64_t>(perBatch, kScoreBatchCapacity);
    const int64_t bytes =
        kept * static_cast<int64_t>(sizeof(ScoredCandidate<Number>) + sizeof(CandidateEdges)) +
        (kept + batch) * numMethods * static_cast<int64_t>(sizeof(Number)) +
        batch * static_cast<int64_t>(sizeof(int32_t));
    plan = BlockPlan{static_cast<int32_t>(kept), static_cast<int32_t>(batch), numMethods,
                     static_cast<size_t>(bytes)};
    return CCLP_STATUS_OK;
}

// The block and its parts, each starting at a multiple of its alignment:
// candidate records first, then the scores, then the 32-bit indices.
template <class Number>
struct WorkingBlock {
    void* memory = nullptr;
    typename CandidateSelection<Number>::Storage kept;
    Number* batchScores = nullptr;  // numMethods rows of `batch`
    int32_t* batchEdges = nullptr;

    int32_t allocate(const BlockPlan& plan) {
        const int32_t status = csys_memory_alloc_internal(plan.bytes, &memory);
        if (status < 0) return status;
        const auto keptCount = static_cast<size_t>(plan.kept);
        const auto methods = static_cast<size_t>(plan.numMethods);
        kept.capacity = plan.kept;
        kept.numMethods = plan.numMethods;
        kept.entries = static_cast<ScoredCandidate<Number>*>(memory);
        kept.rows = reinterpret_cast<Number*>(kept.entries + keptCount);
        batchScores = kept.rows + keptCount * methods;
        kept.edges = reinterpret_cast<CandidateEdges*>(
            batchScores + static_cast<size_t>(plan.batch) * methods);
        batchEdges = reinterpret_cast<int32_t*>(kept.edges + keptCount);
        return CCLP_STATUS_OK;
    }
};

}  // namespace cclp
