// The results of a run as a view, with the input indices of each result's
// edges recovered by the runs' order of equal candidates.
// Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
#ifndef CCLP_SCORE_CXX_RESULTS_HPP
#define CCLP_SCORE_CXX_RESULTS_HPP

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>
#include <utility>

#include "edges.hpp"
#include "index_recovery.hpp"

namespace cclp::score {


// One scored candidate as the run wrote it, with the input indices of its
// edges. Valid until the scorer runs again or is destroyed.
template <class Family>
class BasicResult {
public:
    using Record = typename Family::Record;

    BasicResult(const Record& record, const std::array<int32_t, 2>& indices) noexcept
        : record_(&record), indices_(&indices) {}

    // Double-precision fields (valid when formats() has Formats::Double).
    double score() const noexcept { return record_->score; }
    double position() const noexcept { return record_->position; }
    double methodScore(int32_t m) const noexcept { return record_->scores[m]; }
    const typename Family::Edge& edge(int32_t k) const noexcept { return record_->edges[k]; }
    // Fixed-point fields (valid when formats() has Formats::Fixed).
    int32_t scoreFixed() const noexcept { return record_->scoreFixed; }
    int32_t positionFixed() const noexcept { return record_->positionFixed; }
    int32_t methodScoreFixed(int32_t m) const noexcept { return record_->scoresFixed[m]; }
    const typename Family::EdgeFixed& edgeFixed(int32_t k) const noexcept {
        return record_->edgesFixed[k];
    }

    // The same in caliper units and 0..1 whichever format the run wrote
    // (valueIn): the double-precision fields when it wrote them, else the
    // 1/256 ones.
    bool wroteDouble() const noexcept { return score::wroteDouble(record_->formats); }
    double scoreValue() const noexcept { return valueIn(record_->formats, score(), scoreFixed()); }
    double positionValue() const noexcept {
        return valueIn(record_->formats, position(), positionFixed());
    }
    // Only the written arrays are read: the others may be null.
    double methodScoreValue(int32_t m) const noexcept {
        return wroteDouble() ? methodScore(m) : fromFixed(methodScoreFixed(m));
    }
    typename Family::Edge edgeValue(int32_t k) const noexcept {
        return wroteDouble() ? edge(k) : fromFixed<typename Family::Edge>(edgeFixed(k));
    }

    Formats formats() const noexcept { return static_cast<Formats>(record_->formats); }
    int32_t numEdges() const noexcept { return record_->numEdges; }
    int32_t numScores() const noexcept { return record_->numScores; }
    // The input index of the candidate's k-th edge (0, or 1 for a pair's second).
    int32_t index(int32_t k) const noexcept { return (*indices_)[static_cast<std::size_t>(k)]; }
    const Record& c() const noexcept { return *record_; }

private:
    const Record* record_;
    const std::array<int32_t, 2>* indices_;
};

// The results of the scorer's last run, best first when the run sorted.
template <class Family>
class BasicResults {
public:
    using Result = BasicResult<Family>;
    using Set = std::remove_reference_t<decltype(std::declval<typename Family::Output&>().c())>;

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Result;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Result;

        iterator(const BasicResults* results, int32_t r) noexcept : results_(results), r_(r) {}
        Result operator*() const noexcept { return (*results_)[r_]; }
        iterator& operator++() noexcept {
            ++r_;
            return *this;
        }
        iterator operator++(int) noexcept {
            iterator before = *this;
            ++r_;
            return before;
        }
        bool operator==(const iterator& other) const noexcept { return r_ == other.r_; }
        bool operator!=(const iterator& other) const noexcept { return r_ != other.r_; }

    private:
        const BasicResults* results_;
        int32_t r_;
    };

    BasicResults(const Set& set, const detail::IndexRecovery<Family>& indices) noexcept
        : set_(&set), indices_(&indices) {}

    int32_t size() const noexcept { return set_->numResults; }
    bool empty() const noexcept { return size() == 0; }
    Result operator[](int32_t r) const noexcept { return Result(set_->results[r], indices_->of(r)); }
    iterator begin() const noexcept { return iterator(this, 0); }
    iterator end() const noexcept { return iterator(this, size()); }
    const Set& c() const noexcept { return *set_; }

private:
    const Set* set_;
    const detail::IndexRecovery<Family>* indices_;
};

using Result = BasicResult<detail::PlainFamily>;
using ResultEx = BasicResult<detail::ExtendedFamily>;
using Results = BasicResults<detail::PlainFamily>;
using ResultsEx = BasicResults<detail::ExtendedFamily>;

}  // namespace cclp::score

#endif
