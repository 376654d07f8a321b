// The results of a run as a view, with the input indices of each result's
// edges recovered by the runs' order of equal candidates.
// Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
#ifndef CCLP_SCORE_CXX_RESULTS_HPP
#define CCLP_SCORE_CXX_RESULTS_HPP

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <type_traits>
#include <utility>
#include <vector>

#include "edges.hpp"

namespace cclp::score {

namespace detail {

// Bytes of every field a run copied of one edge, in each format it wrote:
// equal bytes score alike, so the run ranks such candidates by forming order.
template <class Family>
int compareEdge(const typename Family::Input& input, int32_t i, const typename Family::Edge* edge,
                const typename Family::EdgeFixed* edgeFixed, uint32_t formats) noexcept {
    if ((formats & CCLP_FORMAT_DOUBLE) != 0) {
        const int order = std::memcmp(&input.edges[i], edge, sizeof *edge);
        if (order != 0) return order;
    }
    if ((formats & CCLP_FORMAT_FIXED) != 0) {
        return std::memcmp(&input.edgesFixed[i], edgeFixed, sizeof *edgeFixed);
    }
    return 0;
}

// Recovers the input indices of each result's edges. Candidates with equal
// edge values have equal scores and positions, and a run orders equal
// candidates as it formed them (single edges in input order, pairs (i, j)
// with i < j, i-major), keeping the first of them. So the k-th result with
// given edge values is the k-th candidate formed from edges with those
// values. The input's indices are sorted by edge values (ties by index)
// once per run; each edge value is then a range of ascending indices.
template <class Family>
class IndexRecovery {
public:
    using Input = typename Family::Input;
    using Record = typename Family::Record;

    void recover(const Input& input, const Record* results, int32_t numResults) {
        const bool pairs = numResults > 0 && results[0].numEdges == 2;
        indices_.assign(static_cast<std::size_t>(numResults), {-1, -1});
        if (numResults == 0) return;
        formats_ = results[0].formats;
        sortInput(input);
        taken_.assign(order_.size(), 0);
        pairsTaken_.clear();
        for (int32_t r = 0; r < numResults; ++r) {
            const Record& result = results[r];
            const auto first = rangeOf(input, result, 0);
            if (!pairs) {
                indices_[static_cast<std::size_t>(r)][0] = nextSingle(first);
                continue;
            }
            const auto second = rangeOf(input, result, 1);
            const int32_t k = pairsTaken_[{first.first, second.first}]++;
            indices_[static_cast<std::size_t>(r)] = kthPair(first, second, k);
        }
    }

    const std::array<int32_t, 2>& of(int32_t r) const noexcept {
        return indices_[static_cast<std::size_t>(r)];
    }

private:
    using Range = std::pair<int32_t, int32_t>;  // [begin, end) in order_

    void sortInput(const Input& input) {
        order_.resize(static_cast<std::size_t>(input.numEdges));
        for (int32_t i = 0; i < input.numEdges; ++i) order_[static_cast<std::size_t>(i)] = i;
        const uint32_t formats = formats_;
        std::sort(order_.begin(), order_.end(), [&](int32_t a, int32_t b) {
            const int order = compareEdge<Family>(input, a, input.edges ? &input.edges[b] : nullptr,
                                                  input.edgesFixed ? &input.edgesFixed[b] : nullptr,
                                                  formats);
            return order != 0 ? order < 0 : a < b;
        });
    }

    Range rangeOf(const Input& input, const Record& result, int32_t k) const {
        const auto* edge = result.edges != nullptr ? &result.edges[k] : nullptr;
        const auto* edgeFixed = result.edgesFixed != nullptr ? &result.edgesFixed[k] : nullptr;
        const uint32_t formats = formats_;
        const auto below = std::partition_point(order_.begin(), order_.end(), [&](int32_t i) {
            return compareEdge<Family>(input, i, edge, edgeFixed, formats) < 0;
        });
        const auto upTo = std::partition_point(below, order_.end(), [&](int32_t i) {
            return compareEdge<Family>(input, i, edge, edgeFixed, formats) == 0;
        });
        return {static_cast<int32_t>(below - order_.begin()),
                static_cast<int32_t>(upTo - order_.begin())};
    }

    // The first edge of the range not yet taken by an earlier result; -1 for
    // edges the input does not hold (results of another input).
    int32_t nextSingle(Range range) {
        if (range.first == range.second) return -1;
        int32_t& taken = taken_[static_cast<std::size_t>(range.first)];
        if (range.first + taken >= range.second) return -1;
        return order_[static_cast<std::size_t>(range.first + taken++)];
    }

    // The k-th pair (i, j), i from the first range, j from the second,
    // i < j, in i-major order.
    std::array<int32_t, 2> kthPair(Range first, Range second, int32_t k) const {
        const auto secondBegin = order_.begin() + second.first;
        const auto secondEnd = order_.begin() + second.second;
        for (int32_t a = first.first; a < first.second; ++a) {
            const int32_t i = order_[static_cast<std::size_t>(a)];
            const auto after = std::upper_bound(secondBegin, secondEnd, i);
            const auto later = static_cast<int32_t>(secondEnd - after);
            if (k < later) return {i, *(after + k)};
            k -= later;
        }
        return {-1, -1};
    }

    uint32_t formats_ = 0;
    std::vector<int32_t> order_;
    std::vector<int32_t> taken_;
    std::map<Range, int32_t> pairsTaken_;
    std::vector<std::array<int32_t, 2>> indices_;
};

}  // namespace detail

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
