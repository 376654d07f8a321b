// The rarely taken paths of the selection, kept out of the scan's loop.
#include "engine/candidate_selection.hpp"

#include <algorithm>

namespace cclp {

namespace {

template <class Number>
struct Rank {
    bool operator()(const ScoredCandidate<Number>& a, const ScoredCandidate<Number>& b) const {
        return ranksBefore(a, b);
    }
};

}  // namespace

template <class Number>
void CandidateSelection<Number>::finish() {
    if (!ranked_) return;
    Candidate* const entries = storage_.entries;
    if (count_ > limit_) {
        std::nth_element(entries, entries + limit_, entries + count_, Rank<Number>{});
        count_ = limit_;
    }
    std::sort(entries, entries + count_, Rank<Number>{});
}

template <class Number>
Number* CandidateSelection<Number>::admitIntoFullBuffer(const Candidate& candidate,
                                                         CandidateEdges edges) {
    keepBest();
    if (!ranksBefore(candidate, bar_)) return nullptr;
    return append(Candidate{candidate.score, candidate.position, candidate.index, count_}, edges);
}

// Narrows the full buffer to its best `limit` candidates. Their rows move
// into the slots of dropped candidates below `limit`, so that the free
// slots are again those from `limit` on.
template <class Number>
void CandidateSelection<Number>::keepBest() {
    Candidate* const entries = storage_.entries;
    if (limit_ == 1) {
        // The common "best candidate only": a scan, not a selection.
        std::iter_swap(entries, std::min_element(entries, entries + count_, Rank<Number>{}));
    } else {
        std::nth_element(entries, entries + (limit_ - 1), entries + count_, Rank<Number>{});
    }
    int32_t dropped = limit_;
    for (int32_t kept = 0; kept < limit_; ++kept) {
        if (entries[kept].slot < limit_) continue;
        while (entries[dropped].slot >= limit_) ++dropped;
        moveSlot(entries[kept].slot, entries[dropped].slot);
        entries[kept].slot = entries[dropped++].slot;
    }
    count_ = limit_;
    bar_ = entries[limit_ - 1];
    hasBar_ = true;
}

template <class Number>
void CandidateSelection<Number>::moveSlot(int32_t from, int32_t to) {
    std::copy_n(rowOf(from), storage_.numMethods, rowOf(to));
    storage_.edges[to] = storage_.edges[from];
}

template class CandidateSelection<double>;
template class CandidateSelection<int32_t>;

}  // namespace cclp
