// The window of a pair run: over edges in strictly ascending position, a
// size method whose function rises (x0 <= x1 <= x2) scores 0 wherever its
// measure exceeds x2, and its measure falls with the pair's size up to the
// expected width and rises beyond it. For each first edge i the second
// edges that can score above 0 are therefore one run of indices [begin,
// end), and both ends only move forward as i grows. The measure is the
// method's own arithmetic, so the window holds exactly the pairs whose
// measure does not exceed x2.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "cclp_score/cclp_score_method.h"
#include "engine/evaluate.hpp"
#include "score/one_sided.hpp"

namespace cclp {

template <class Edge>
class PairWindow {
    using Number = EdgeNumber<Edge>;

public:
    // The window of the first method that bounds one, over edges that
    // strictly ascend (and are finite); none otherwise.
    static std::optional<PairWindow> find(const MethodFor<Edge>* methods, int32_t numMethods,
                                          const Edge* edges, int32_t numEdges, Number width) {
        if (!ascends(edges, numEdges)) return std::nullopt;
        for (int32_t m = 0; m < numMethods; ++m) {
            const int32_t kind = methods[m].method;
            const auto& f = methods[m].oneSided;
            const bool sized = kind == cclp_scoreMethodSizeDiff || kind == cclp_scoreMethodSize;
            if (sized && isUpward(f) && width > 0) {
                return PairWindow(edges, numEdges, width, kind, f.x2);
            }
        }
        return std::nullopt;
    }

    // Moves the window to the pairs of first edge i; i never decreases.
    void moveTo(int32_t i) {
        if (begin_ <= i) begin_ = i + 1;
        while (begin_ < numEdges_ && belowWidth(i, begin_) && !inside(i, begin_)) ++begin_;
        if (end_ < begin_) end_ = begin_;
        while (end_ < numEdges_ && (belowWidth(i, end_) || inside(i, end_))) ++end_;
    }

    int32_t begin() const { return begin_; }
    int32_t end() const { return end_; }

private:
    PairWindow(const Edge* edges, int32_t numEdges, Number width, int32_t kind, Number limit)
        : edges_(edges), numEdges_(numEdges), width_(width), kind_(kind), limit_(limit) {}

    static bool ascends(const Edge* edges, int32_t numEdges) {
        for (int32_t i = 0; i < numEdges; ++i) {
            if constexpr (std::is_floating_point_v<Number>) {
                if (!std::isfinite(edges[i].position)) return false;
            }
            if (i > 0 && !(edges[i - 1].position < edges[i].position)) return false;
        }
        return true;
    }

    // Whether the pair's measure lies within the function's reach.
    bool inside(int32_t i, int32_t j) const {
        const Number p0 = edges_[i].position;
        const Number p1 = edges_[j].position;
        const Number measured = kind_ == cclp_scoreMethodSizeDiff
                                    ? detail::sizeMeasure<cclp_scoreMethodSizeDiff>(p0, p1, width_)
                                    : detail::sizeMeasure<cclp_scoreMethodSize>(p0, p1, width_);
        return !(measured > limit_);
    }

    // Whether the pair is smaller than the expected width, where the size
    // difference still falls as the pair grows.
    bool belowWidth(int32_t i, int32_t j) const {
        if (kind_ != cclp_scoreMethodSizeDiff) return false;
        return measure::magnitude(measure::subtract(edges_[j].position, edges_[i].position)) <
               width_;
    }

    const Edge* edges_;
    int32_t numEdges_;
    Number width_;
    int32_t kind_;
    Number limit_;
    int32_t begin_ = 0;
    int32_t end_ = 0;
};

}  // namespace cclp
