// A plain scalar loop that computes what a sorting run of the module
// computes for one-sided methods of simple measures: every candidate's
// method scores, their product, the best `keep` candidates in rank order
// (higher score, then lower position, then forming order), their
// combined scores. It uses no part of the module but the combination of the
// kept products, so that its scores carry the module's bits. Double
// precision ranks by the products, which order as their roots do, and
// takes the roots of the kept ones; fixed point rounds each root to 1/256,
// so distinct products can tie and every positive product is combined.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "cclp_score/cclp_results.h"
#include "cclp_score/cclp_score_method.h"
#include "engine/combine.hpp"
#include "frame/fixed_point.hpp"

namespace plain {

// The measures of the methods the reference knows, by method number.
enum Measure : int32_t {
    kSize = cclp_scoreMethodSize,
    kSizeDiff = cclp_scoreMethodSizeDiff,
    kPosAbs = cclp_scoreMethodPosAbs,
    kPos = cclp_scoreMethodPos,
    kPosNormAbs = cclp_scoreMethodPosNormAbs,
    kContrast = cclp_scoreMethodContrast,
};

inline double half(double a) { return a / 2.0; }
inline int32_t half(int32_t a) { return a >> 1; }
inline double ratio(double x, double w) { return x / w; }
inline int32_t ratio(int32_t x, int32_t w) {
    return static_cast<int32_t>(static_cast<int64_t>(x) * 256 / w);
}
inline double halfRatio(double x, double w) { return x / (2.0 * w); }
inline int32_t halfRatio(int32_t x, int32_t w) {
    return static_cast<int32_t>(static_cast<int64_t>(x) * 128 / w);
}
inline double absolute(double a) { return std::fabs(a); }
inline int32_t absolute(int32_t a) { return std::abs(a); }

// The piecewise-linear function: 0 beyond x2, y1 from x1 on, y0 up to x0,
// the ramp between.
inline double value(const cclp_scoreOneSided& f, double x) {
    const bool up = f.x0 <= f.x1 && f.x1 <= f.x2;
    if (up ? x > f.x2 : x < f.x2) return 0.0;
    if (up ? x >= f.x1 : x <= f.x1) return f.y1;
    if (up ? x <= f.x0 : x >= f.x0) return f.y0;
    return (f.rampConst - x * f.rampDrop) * f.rampInvSpan;
}

inline int32_t value(const cclp_scoreOneSidedFixed& f, int32_t x) {
    const bool up = f.x0 <= f.x1 && f.x1 <= f.x2;
    if (up ? x > f.x2 : x < f.x2) return 0;
    if (up ? x >= f.x1 : x <= f.x1) return f.y1;
    if (up ? x <= f.x0 : x >= f.x0) return f.y0;
    return cclp::mulRound16(f.rampConst - cclp::mulRound8(x, f.rampDrop), f.rampInvSpan);
}

inline double product(double p, double s) { return p * s; }
inline int32_t product(int32_t p, int32_t s) { return cclp::mulRound8(p, s); }

template <class Number>
struct Kept {
    Number rank;  // the product (double) or the combined score (fixed)
    Number position;
    int32_t first;
    int32_t second;
    std::vector<Number> scores;
};

template <class Number, class Edge, class Method>
class Reference {
public:
    Reference(const Method* methods, int32_t numMethods, Number width, int32_t keep)
        : methods_(methods), numMethods_(numMethods), width_(width), keep_(keep) {}

    // Scores every pair i < j (or every edge) and returns the kept ones,
    // best first, their rank turned into the combined score.
    const std::vector<Kept<Number>>& run(const Edge* edges, int32_t n, bool pairs) {
        kept_.clear();
        if (!pairs) {
            for (int32_t i = 0; i < n; ++i) offer(edges[i], edges[i], i, i, false);
        } else {
            for (int32_t i = 0; i < n; ++i) {
                for (int32_t j = i + 1; j < n; ++j) offer(edges[i], edges[j], i, j, true);
            }
        }
        if constexpr (std::is_floating_point_v<Number>) {
            for (Kept<Number>& k : kept_) {
                if (k.rank > 0) k.rank = cclp::combineScores(k.rank, numMethods_);
            }
        }
        return kept_;
    }

private:
    Number measure(int32_t kind, const Edge& a, const Edge& b, bool pair) const {
        const Number p0 = a.position;
        const Number p1 = b.position;
        switch (kind) {
        case kSizeDiff: return ratio(absolute(absolute(p1 - p0) - width_), width_);
        case kSize: return ratio(absolute(p1 - p0), width_);
        case kPosAbs: return pair ? half(absolute(p1 + p0)) : absolute(p0);
        case kPos: return pair ? half(p0 + p1) : p0;
        case kPosNormAbs: return halfRatio(absolute(p1 + p0), width_);
        default: {
            const Number sum = pair ? absolute(a.contrast) + absolute(b.contrast)
                                    : absolute(a.contrast);
            return pair ? sum / Number{2} : sum;
        }
        }
    }

    void offer(const Edge& a, const Edge& b, int32_t i, int32_t j, bool pair) {
        Number p = std::is_floating_point_v<Number> ? Number{1} : Number{256};
        bool valid = numMethods_ >= 1;
        for (int32_t m = 0; m < numMethods_; ++m) {
            const Number s = value(methods_[m].oneSided, measure(methods_[m].method, a, b, pair));
            row_[m] = s;
            if (valid && s > 0) {
                p = product(p, s);
            } else {
                valid = false;
            }
        }
        Number rank = valid && p > 0 ? p : Number{0};
        if constexpr (!std::is_floating_point_v<Number>) {
            if (rank > 0) rank = cclp::combineScoresFixed(rank, numMethods_);
        }
        const Number position = pair ? half(a.position + b.position) : a.position;
        insert(rank, position, i, j);
    }

    // Later candidates rank after earlier ones of equal rank and position.
    void insert(Number rank, Number position, int32_t i, int32_t j) {
        auto before = [](Number r1, Number p1, const Kept<Number>& k) {
            return r1 > k.rank || (r1 == k.rank && p1 < k.position);
        };
        if (static_cast<int32_t>(kept_.size()) == keep_) {
            if (keep_ == 0 || !before(rank, position, kept_.back())) return;
            kept_.pop_back();
        }
        size_t at = kept_.size();
        while (at > 0 && before(rank, position, kept_[at - 1])) --at;
        kept_.insert(kept_.begin() + static_cast<std::ptrdiff_t>(at),
                     Kept<Number>{rank, position, i, j, {row_, row_ + numMethods_}});
    }

    const Method* methods_;
    int32_t numMethods_;
    Number width_;
    int32_t keep_;
    Number row_[8]{};
    std::vector<Kept<Number>> kept_;
};

// Whether the module's results are the reference's, field by field.
template <class Number>
bool sameResults(const std::vector<Kept<Number>>& kept, const cclp_scoreResultSet& out) {
    if (static_cast<size_t>(out.numResults) != kept.size()) return false;
    for (size_t r = 0; r < kept.size(); ++r) {
        const cclp_scoreOneResult& result = out.results[r];
        const Kept<Number>& k = kept[r];
        for (size_t m = 0; m < k.scores.size(); ++m) {
            const Number score = std::is_floating_point_v<Number>
                                     ? static_cast<Number>(result.scores[m])
                                     : static_cast<Number>(result.scoresFixed[m]);
            if (score != k.scores[m]) return false;
        }
        if constexpr (std::is_floating_point_v<Number>) {
            if (result.score != k.rank || result.position != k.position) return false;
        } else {
            if (result.scoreFixed != k.rank || result.positionFixed != k.position) return false;
        }
    }
    return true;
}

}  // namespace plain
