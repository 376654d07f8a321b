/** @file
 * Recovering the input indices of a run's results from their edge copies.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_INDEX_RECOVERY_HPP
#define CCLP_SCORE_CXX_INDEX_RECOVERY_HPP

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "edges.hpp"

namespace cclp::score {

namespace detail {

// Every field a run copied of one edge, in each format it wrote (null for a
// format it did not write): of a result's edge copy, or of an input edge.
template <class Family>
struct EdgeValue {
    const typename Family::Edge* edge;
    const typename Family::EdgeFixed* edgeFixed;
};

template <class Family, class Holder>
EdgeValue<Family> edgeValue(const Holder& holder, int32_t k, uint32_t formats) noexcept {
    return {(formats & CCLP_FORMAT_DOUBLE) != 0 ? &holder.edges[k] : nullptr,
            (formats & CCLP_FORMAT_FIXED) != 0 ? &holder.edgesFixed[k] : nullptr};
}

// Equal bytes in every written field: such edges score alike in any run.
template <class Family>
bool sameBytes(const EdgeValue<Family>& a, const EdgeValue<Family>& b) noexcept {
    if (a.edge != nullptr && std::memcmp(a.edge, b.edge, sizeof *a.edge) != 0) return false;
    return a.edgeFixed == nullptr ||
           std::memcmp(a.edgeFixed, b.edgeFixed, sizeof *a.edgeFixed) == 0;
}

// A hash of those bytes, 32 bits at a time: every edge record is made of
// 32- and 64-bit fields without padding.
template <class Record>
uint64_t hashWords(const Record* record, uint64_t hash) noexcept {
    static_assert(sizeof(Record) % sizeof(uint32_t) == 0, "edge records are whole words");
    const auto* bytes = reinterpret_cast<const unsigned char*>(record);
    for (std::size_t at = 0; at < sizeof(Record); at += sizeof(uint32_t)) {
        uint32_t word = 0;
        std::memcpy(&word, bytes + at, sizeof word);
        hash = (hash ^ word) * 0x100000001B3u;
    }
    return hash;
}

template <class Family>
uint64_t hashOf(const EdgeValue<Family>& value) noexcept {
    uint64_t hash = 0xCBF29CE484222325u;
    if (value.edge != nullptr) hash = hashWords(value.edge, hash);
    if (value.edgeFixed != nullptr) hash = hashWords(value.edgeFixed, hash);
    return hash ^ (hash >> 29);
}

// Recovers the input indices of each result's edges. Candidates with equal
// edge values have equal scores and positions, and a run orders equal
// candidates as it formed them (single edges in input order, pairs (i, j)
// with i < j, i-major), keeping the first of them. So the k-th result with
// given edge values is the k-th candidate formed from edges with those
// values. The results' distinct edge values go into a hash table; one pass
// over the input then lists, per value, the input edges holding it in
// ascending index. Edges the input does not hold get the index -1.
template <class Family>
class IndexRecovery {
public:
    using Input = typename Family::Input;
    using Record = typename Family::Record;

    void recover(const Input& input, const Record* results, int32_t numResults) {
        indices_.assign(static_cast<std::size_t>(numResults), {-1, -1});
        if (numResults == 0) return;
        const uint32_t formats = results[0].formats;
        const int32_t perResult = results[0].numEdges == 2 ? 2 : 1;
        collectValues(results, numResults, perResult, formats);
        listInputEdges(input, formats);
        for (int32_t r = 0; r < numResults; ++r) {
            indices_[static_cast<std::size_t>(r)] = perResult == 1 ? single(r) : pair(r);
        }
    }

    const std::array<int32_t, 2>& of(int32_t r) const noexcept {
        return indices_[static_cast<std::size_t>(r)];
    }

private:
    struct Value {
        EdgeValue<Family> edge;
        int32_t begin = 0;  // its input edges: members_[begin, begin + count)
        int32_t count = 0;
        int32_t taken = 0;  // single-edge results that took one of them
    };

    // The distinct values among the results' edges; resultValues_ gives each
    // result's edges their value's number.
    void collectValues(const Record* results, int32_t numResults, int32_t perResult,
                       uint32_t formats) {
        values_.clear();
        resultValues_.clear();
        const auto entries = static_cast<std::size_t>(numResults) * static_cast<std::size_t>(perResult);
        std::size_t size = 16;
        while (size < 4 * entries) size *= 2;
        slots_.assign(size, -1);
        for (int32_t r = 0; r < numResults; ++r) {
            for (int32_t k = 0; k < perResult; ++k) {
                resultValues_.push_back(find(edgeValue<Family>(results[r], k, formats), true));
            }
        }
    }

    // The number of a value, added first when `add` is set; -1 when absent.
    int32_t find(const EdgeValue<Family>& value, bool add) {
        const std::size_t mask = slots_.size() - 1;
        for (auto slot = static_cast<std::size_t>(hashOf(value)) & mask;; slot = (slot + 1) & mask) {
            const int32_t id = slots_[slot];
            if (id >= 0 && sameBytes(values_[static_cast<std::size_t>(id)].edge, value)) return id;
            if (id >= 0) continue;
            if (!add) return -1;
            slots_[slot] = static_cast<int32_t>(values_.size());
            values_.push_back(Value{value});
            return slots_[slot];
        }
    }

    // Lists each value's input edges in ascending index: counted, then placed.
    void listInputEdges(const Input& input, uint32_t formats) {
        inputValues_.resize(static_cast<std::size_t>(input.numEdges));
        for (int32_t i = 0; i < input.numEdges; ++i) {
            const int32_t id = find(edgeValue<Family>(input, i, formats), false);
            inputValues_[static_cast<std::size_t>(i)] = id;
            if (id >= 0) ++values_[static_cast<std::size_t>(id)].count;
        }
        int32_t begin = 0;
        for (Value& value : values_) {
            value.begin = begin;
            begin += value.count;
            value.count = 0;
        }
        members_.resize(static_cast<std::size_t>(begin));
        for (int32_t i = 0; i < input.numEdges; ++i) {
            const int32_t id = inputValues_[static_cast<std::size_t>(i)];
            if (id < 0) continue;
            Value& value = values_[static_cast<std::size_t>(id)];
            members_[static_cast<std::size_t>(value.begin + value.count++)] = i;
        }
        pairsTaken_.clear();
    }

    // A single-edge result: the first input edge of its value not yet taken.
    std::array<int32_t, 2> single(int32_t r) {
        Value& value = values_[static_cast<std::size_t>(resultValues_[static_cast<std::size_t>(r)])];
        if (value.taken >= value.count) return {-1, -1};
        return {members_[static_cast<std::size_t>(value.begin + value.taken++)], -1};
    }

    // A pair result: the k-th pair (i, j) of its two values, i < j, i-major,
    // where k counts the earlier results with the same two values.
    std::array<int32_t, 2> pair(int32_t r) {
        const auto at = 2 * static_cast<std::size_t>(r);
        const int32_t firstId = resultValues_[at];
        const int32_t secondId = resultValues_[at + 1];
        int32_t k = pairsTaken_[{firstId, secondId}]++;
        const Value& first = values_[static_cast<std::size_t>(firstId)];
        const Value& second = values_[static_cast<std::size_t>(secondId)];
        const auto secondBegin = members_.begin() + second.begin;
        const auto secondEnd = secondBegin + second.count;
        for (int32_t a = first.begin; a < first.begin + first.count; ++a) {
            const int32_t i = members_[static_cast<std::size_t>(a)];
            const auto after = std::upper_bound(secondBegin, secondEnd, i);
            const auto later = static_cast<int32_t>(secondEnd - after);
            if (k < later) return {i, *(after + k)};
            k -= later;
        }
        return {-1, -1};
    }

    std::vector<Value> values_;
    std::vector<int32_t> slots_;         // hash table of value numbers, -1 when free
    std::vector<int32_t> resultValues_;  // per result edge
    std::vector<int32_t> inputValues_;   // per input edge, -1 for no result's value
    std::vector<int32_t> members_;
    std::map<std::pair<int32_t, int32_t>, int32_t> pairsTaken_;
    std::vector<std::array<int32_t, 2>> indices_;
};

}  // namespace detail

}  // namespace cclp::score

#endif
