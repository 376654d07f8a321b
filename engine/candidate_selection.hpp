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

#include "scored_candidate.hpp"

namespace cclp {

// Which results a run writes: the first `limit` candidates, ranked or in
// the order they were formed.
struct SelectionRule {
    int32_t limit;
    bool ranked;
};

// The buffer a rule needs among `candidates` candidates: all of them when
// it is small, else room for twice the limit (at least kMinRankedBuffer), so
// that each narrowing of the buffer lets many candidates in.
inline int64_t selectionCapacity(const SelectionRule& rule, int64_t candidates) {
    constexpr int64_t kMinRankedBuffer = 256;
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
    // the row for its method scores; nullptr when it is passed over.
    Number* admit(Number score, Number position, int32_t index, CandidateEdges edges) {
        const Candidate candidate{score, position, index, count_};
        if (hasBar_ && !ranksBefore(candidate, bar_)) return nullptr;
        if (count_ == storage_.capacity) {
            if (!ranked_) return nullptr;
            keepBest();
            if (!ranksBefore(candidate, bar_)) return nullptr;
        }
        // The kept candidates always fill slots 0 to count_ - 1.
        storage_.entries[count_] = Candidate{score, position, index, count_};
        storage_.edges[count_] = edges;
        return rowOf(count_++);
    }

    // Puts the kept candidates in result order: ranked, or as formed.
    void finish() {
        if (!ranked_) return;
        Candidate* const entries = storage_.entries;
        if (count_ > limit_) {
            std::nth_element(entries, entries + limit_, entries + count_, Rank{});
            count_ = limit_;
        }
        std::sort(entries, entries + count_, Rank{});
    }

    int32_t count() const { return count_; }
    const Candidate& operator[](int32_t r) const { return storage_.entries[r]; }
    const Number* rowOf(const Candidate& candidate) const { return rowOf(candidate.slot); }
    CandidateEdges edgesOf(const Candidate& candidate) const {
        return storage_.edges[candidate.slot];
    }

private:
    struct Rank {
        bool operator()(const Candidate& a, const Candidate& b) const { return ranksBefore(a, b); }
    };

    Number* rowOf(int32_t slot) const {
        return storage_.rows + static_cast<size_t>(slot) * static_cast<size_t>(storage_.numMethods);
    }

    // Narrows a full buffer to its best `limit` candidates. Their rows move
    // into the slots of dropped candidates below `limit`, so that the free
    // slots are again those from `limit` on.
    void keepBest() {
        Candidate* const entries = storage_.entries;
        std::nth_element(entries, entries + (limit_ - 1), entries + count_, Rank{});
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

    void moveSlot(int32_t from, int32_t to) {
        std::copy_n(rowOf(from), storage_.numMethods, rowOf(to));
        storage_.edges[to] = storage_.edges[from];
    }

    Storage storage_;
    int32_t limit_;
    bool ranked_;
    int32_t count_ = 0;
    bool hasBar_ = false;
    Candidate bar_{};
};

}  // namespace cclp
