/** @file
 * The results of a run as a view, with the input indices of each result's
 * edges recovered by the runs' order of equal candidates.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
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

/// One scored candidate as the run wrote it, with the input indices of its
/// edges. Valid until the scorer runs again or is destroyed.
/// @tparam Family Plain or extended records (use Result or ResultEx).
template <class Family>
class BasicResult {
public:
    /// The C record: cclp_scoreResult or cclp_scoreResultEx.
    using Record = typename Family::Record;

    /// A view of a result record and its edges' input indices (results
    /// hand these out).
    BasicResult(const Record& record, const std::array<int32_t, 2>& indices) noexcept
        : record_(&record), indices_(&indices) {}

    /// Double-precision fields (valid when formats() has Formats::Double):
    /// the combined score, the candidate's position, method m's score and
    /// the candidate's edge k (0, or 1 for a pair's second).
    ///@{
    double score() const noexcept { return record_->score; }
    double position() const noexcept { return record_->position; }
    double methodScore(int32_t m) const noexcept { return record_->scores[m]; }
    const typename Family::Edge& edge(int32_t k) const noexcept { return record_->edges[k]; }
    ///@}
    /// Fixed-point fields in 1/256 units (valid when formats() has
    /// Formats::Fixed): as the double-precision ones.
    ///@{
    int32_t scoreFixed() const noexcept { return record_->scoreFixed; }
    int32_t positionFixed() const noexcept { return record_->positionFixed; }
    int32_t methodScoreFixed(int32_t m) const noexcept { return record_->scoresFixed[m]; }
    const typename Family::EdgeFixed& edgeFixed(int32_t k) const noexcept {
        return record_->edgesFixed[k];
    }
    ///@}

    /// The same in caliper units and 0..1 whichever format the run wrote
    /// (valueIn): the double-precision fields when it wrote them, else the
    /// 1/256 ones. Only the written arrays are read: the others may be null.
    ///@{
    bool wroteDouble() const noexcept { return score::wroteDouble(record_->formats); }
    double scoreValue() const noexcept { return valueIn(record_->formats, score(), scoreFixed()); }
    double positionValue() const noexcept {
        return valueIn(record_->formats, position(), positionFixed());
    }
    double methodScoreValue(int32_t m) const noexcept {
        return wroteDouble() ? methodScore(m) : fromFixed(methodScoreFixed(m));
    }
    typename Family::Edge edgeValue(int32_t k) const noexcept {
        return wroteDouble() ? edge(k) : fromFixed<typename Family::Edge>(edgeFixed(k));
    }
    ///@}

    /// The formats the run wrote.
    Formats formats() const noexcept { return static_cast<Formats>(record_->formats); }
    /// The candidate's edges: 1, or 2 for a pair.
    int32_t numEdges() const noexcept { return record_->numEdges; }
    /// The number of method scores (the parameters' methods).
    int32_t numScores() const noexcept { return record_->numScores; }
    /// The input index of the candidate's k-th edge (0, or 1 for a pair's second).
    int32_t index(int32_t k) const noexcept { return (*indices_)[static_cast<std::size_t>(k)]; }
    /// The C record.
    const Record& c() const noexcept { return *record_; }

private:
    const Record* record_;
    const std::array<int32_t, 2>* indices_;
};

/// The results of the scorer's last run, best first when the run sorted.
/// Valid until the scorer runs again or is destroyed.
/// @tparam Family Plain or extended records (use Results or ResultsEx).
template <class Family>
class BasicResults {
public:
    /// One result.
    using Result = BasicResult<Family>;
    /// The C record: cclp_scoreResultSet or cclp_scoreResultSetEx.
    using Set = std::remove_reference_t<decltype(std::declval<typename Family::Output&>().c())>;

    /// A forward iterator over the results, yielding Result views.
    class iterator {
    public:
        /// The standard iterator traits and operations.
        ///@{
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
        ///@}

    private:
        const BasicResults* results_;
        int32_t r_;
    };

    /// A view of a run's output and its edges' input indices (Scorer::score()
    /// hands these out).
    BasicResults(const Set& set, const detail::IndexRecovery<Family>& indices) noexcept
        : set_(&set), indices_(&indices) {}

    /// The number of results.
    int32_t size() const noexcept { return set_->numResults; }
    /// True when the run kept no result.
    bool empty() const noexcept { return size() == 0; }
    /// Result r, unchecked (r < size()).
    Result operator[](int32_t r) const noexcept { return Result(set_->results[r], indices_->of(r)); }
    /// Iteration over the results, in the run's order.
    ///@{
    iterator begin() const noexcept { return iterator(this, 0); }
    iterator end() const noexcept { return iterator(this, size()); }
    ///@}
    /// The C record.
    const Set& c() const noexcept { return *set_; }

private:
    const Set* set_;
    const detail::IndexRecovery<Family>* indices_;
};

/// A result of a run over plain edges.
using Result = BasicResult<detail::PlainFamily>;
/// A result of a run over extended edges.
using ResultEx = BasicResult<detail::ExtendedFamily>;
/// The results of a run over plain edges.
using Results = BasicResults<detail::PlainFamily>;
/// The results of a run over extended edges.
using ResultsEx = BasicResults<detail::ExtendedFamily>;

}  // namespace cclp::score

#endif
