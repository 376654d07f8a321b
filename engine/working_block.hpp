// The one allocation a run makes for itself: room for every candidate it
// could form (every edge, or every pair), sized once before the scan.
// Pair runs keep the two edge indices of each pair in front of the
// per-method scores; then come the candidate records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cclp_score/cclp_status.h"
#include "csys_runtime.h"
#include "scored_candidate.hpp"

namespace cclp {

struct BlockSize {
    int32_t capacity;  // candidates
    size_t bytes;
};

// The block for numEdges edges and numMethods methods. Counts are 32-bit:
// an input whose pair count, score count or block size does not fit is
// refused as too large to allocate.
template <class Number>
int32_t planWorkingBlock(int32_t numEdges, int32_t numMethods, bool pairs, BlockSize& size) {
    constexpr int64_t kLimit = INT32_MAX;
    int64_t capacity = numEdges;
    if (pairs) {
        const int64_t orderedPairs = static_cast<int64_t>(numEdges) * (numEdges - 1);
        if (orderedPairs > kLimit) return CSYS_STATUS_OUT_OF_MEMORY;
        capacity = orderedPairs / 2;
    }
    const int64_t numScores = capacity * numMethods;
    if (numScores > kLimit) return CSYS_STATUS_OUT_OF_MEMORY;
    const int64_t indexBytes = pairs ? 2 * capacity * static_cast<int64_t>(sizeof(int32_t)) : 0;
    const int64_t bytes = indexBytes + numScores * static_cast<int64_t>(sizeof(Number)) +
                          capacity * static_cast<int64_t>(sizeof(ScoredCandidate<Number>));
    if (bytes > kLimit) return CSYS_STATUS_OUT_OF_MEMORY;
    size = BlockSize{static_cast<int32_t>(capacity), static_cast<size_t>(bytes)};
    return CCLP_STATUS_OK;
}

// The block and its parts. Every part starts at a multiple of its own
// alignment: the index arrays hold an even number of i32 in all.
template <class Number>
struct WorkingBlock {
    void* memory = nullptr;
    int32_t* firstEdgeIndex = nullptr;  // pair runs only
    int32_t* secondEdgeIndex = nullptr;
    Number* methodScores = nullptr;     // one row of numMethods per candidate
    ScoredCandidate<Number>* candidates = nullptr;

    int32_t allocate(const BlockSize& size, bool pairs, int32_t numMethods) {
        const int32_t status = csys_memory_alloc_internal(size.bytes, &memory);
        if (status < 0) return status;
        const auto capacity = static_cast<size_t>(size.capacity);
        auto* indices = static_cast<int32_t*>(memory);
        if (pairs) {
            firstEdgeIndex = indices;
            secondEdgeIndex = indices + capacity;
            indices += 2 * capacity;
        }
        methodScores = reinterpret_cast<Number*>(indices);
        candidates = reinterpret_cast<ScoredCandidate<Number>*>(
            methodScores + capacity * static_cast<size_t>(numMethods));
        return CCLP_STATUS_OK;
    }
};

}  // namespace cclp
