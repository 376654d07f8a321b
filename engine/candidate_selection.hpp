// The candidates a run keeps for its results, chosen while the candidates
// are formed, so that a run neither stores nor sorts the many candidates it
// will never write. An unsorted run keeps the first `limit` candidates. A
// sorting run keeps the best `limit` in rank order (scored_candidate.hpp):
// candidates enter a buffer of `capacity`; when it is full, the best `limit`
// stay, and the worst of them becomes the bar that a later candidate must
// rank before to enter. Since the rank order is total, the kept candidates
// and their order are exactly the first `limit` of a full sort.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/scored_candidate.hpp"

namespace cclp {

// Which results a run writes: the first `limit` candidates, ranked or in
// the order they were formed.
struct SelectionRule {
    int32_t limit;
    bool ranked;
};

// The buffer a rule needs among `candidates` candidates: none for a limit
// of 0; all of them when they are few; else room for twice the limit (at
// least kMinRankedBuffer), so that each narrowing of the buffer costs about
// as much as the candidates admitted since the last one.
inline int64_t selectionCapacity(const SelectionRule& rule, int64_t candidates) {
    constexpr int64_t kMinRankedBuffer = 16;
    if (rule.limit <= 0) return 0;
    const int64_t wanted =
        rule.ranked ? std::max<int64_t>(2 * static_cast<int64_t>(rule.limit), kMinRankedBuffer)
                    : rule.limit;
    return std::min(wanted, candidates);
}

// The input indices of a candidate's edges; single edges use only `first`.
struct CandidateEdges {
    int32_t first;
    int32_t second;
};

template <class Number>
class CandidateSelection {
public:
    using Candidate = ScoredCandidate<Number>;

    // Room for `capacity` candidates, each with a row of numMethods scores
    // and its edge indices, in slots 0 to capacity - 1.
    struct Storage {
        Candidate* entries = nullptr;
        Number* rows = nullptr;
        CandidateEdges* edges = nullptr;
        int32_t capacity = 0;
        int32_t numMethods = 0;
    };

    CandidateSelection(const Storage& storage, const SelectionRule& rule)
        : storage_(storage),
          limit_(rule.limit),
          ranked_(rule.ranked && rule.limit > 0 && storage.capacity > 0) {}

    // Keeps the candidate if it can still be among the results and returns
    // the row for its method scores; nullptr when it is passed over. Most
    // candidates of a long run fail at the bar; the rest is out of line.
    Number* admit(Number score, Number position, int32_t index, CandidateEdges edges) {
        // A lower score ranks after the bar whatever the rest: the usual case.
        if (hasBar_ && score < bar_.score) return nullptr;
        const Candidate candidate{score, position, index, count_};
        if (hasBar_ && !ranksBefore(candidate, bar_)) return nullptr;
        if (count_ < storage_.capacity) return append(candidate, edges);
        return ranked_ ? admitIntoFullBuffer(candidate, edges) : nullptr;
    }

    // Puts the kept candidates in result order: ranked, or as formed.
    void finish();

    // Whether no candidate can enter any more: a selection that keeps the
    // first candidates has them all.
    bool closed() const { return !ranked_ && count_ >= storage_.capacity; }
    // The candidate that a later one must rank before to enter; null while
    // every candidate enters.
    const Candidate* bar() const { return hasBar_ ? &bar_ : nullptr; }

    int32_t count() const { return count_; }
    const Candidate& operator[](int32_t r) const { return storage_.entries[r]; }
    const Number* rowOf(const Candidate& candidate) const { return rowOf(candidate.slot); }
    CandidateEdges edgesOf(const Candidate& candidate) const {
        return storage_.edges[candidate.slot];
    }

private:
    Number* rowOf(int32_t slot) const {
        return storage_.rows + static_cast<size_t>(slot) * static_cast<size_t>(storage_.numMethods);
    }

    // The kept candidates always fill slots 0 to count_ - 1.
    Number* append(const Candidate& candidate, CandidateEdges edges) {
        storage_.entries[count_] = candidate;
        storage_.edges[count_] = edges;
        return rowOf(count_++);
    }

    Number* admitIntoFullBuffer(const Candidate& candidate, CandidateEdges edges);
    void keepBest();
    void moveSlot(int32_t from, int32_t to);

    Storage storage_;
    int32_t limit_;
    bool ranked_;
    int32_t count_ = 0;
    bool hasBar_ = false;
    Candidate bar_{};
};

}  // namespace cclp
