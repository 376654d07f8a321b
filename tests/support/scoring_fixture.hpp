// Builders for scoring-run tests: caliper inputs from edge lists, score
// parameters, owned output sets, readers of what a run wrote, and a
// printable snapshot of an output (record_text.hpp) so that "left as it
// was" can be checked.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "tests/support/record_text.hpp"

namespace cclp::testing {

// d*256 rounded as the module rounds (halves away from zero for positives,
// toward zero for negatives).
inline int32_t fixed256(double value) {
    const double scaled = value * 256.0;
    return static_cast<int32_t>(scaled >= 0.0 ? scaled + 0.5 : scaled - 0.4999999999);
}

struct EdgeSpec {
    double position;
    double contrast = 0.0;
    double extra1 = 0.0;
    double extra2 = 0.0;
    double extra3 = 0.0;
};

// An edge of either form and family from the values described, in the units
// given; a plain edge drops the extras.
template <class E, class Units>
E edgeFrom(const EdgeSpec& spec, Units units) {
    E edge{};
    edge.position = units(spec.position);
    edge.contrast = units(spec.contrast);
    if constexpr (requires { edge.extra1; }) {
        edge.extra1 = units(spec.extra1);
        edge.extra2 = units(spec.extra2);
        edge.extra3 = units(spec.extra3);
    }
    return edge;
}

// A caliper result set of either family over edges it owns; the fixed-point
// edges are the rounded double edges unless replaced. Results names the
// family's scored result set.
template <class Set, class Edge, class EdgeFixed, class ResultSet>
struct BasicInput {
    using Results = ResultSet;
    std::vector<Edge> edges;
    std::vector<EdgeFixed> edgesFixed;
    Set set{};

    explicit BasicInput(const std::vector<EdgeSpec>& specs, uint32_t formats = CCLP_FORMAT_DOUBLE) {
        for (const EdgeSpec& spec : specs) {
            edges.push_back(edgeFrom<Edge>(spec, [](double value) { return value; }));
            edgesFixed.push_back(edgeFrom<EdgeFixed>(spec, fixed256));
        }
        set.numEdges = static_cast<int32_t>(specs.size());
        set.formats = formats;
        set.edges = edges.data();
        set.edgesFixed = edgesFixed.data();
    }
};
using Input = BasicInput<cclp_resultSet, cclp_edge, cclp_edgeFixed, cclp_scoreResultSet>;
using InputEx =
    BasicInput<cclp_resultSetEx, cclp_edgeEx, cclp_edgeFixedEx, cclp_scoreResultSetEx>;

inline cclp_score oneSidedMethod(int32_t method, double x0, double x1, double x2, double y0,
                                 double y1) {
    cclp_scoreOneSided function;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&function, x0, x1, x2, y0, y1), 0);
    cclp_score score;
    EXPECT_EQ(cclp_score_init(&score), 0);
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&score, method, &function), 0);
    return score;
}

// Scores |contrast| / 255, 1 from 255 on (the initial method).
inline cclp_score contrast() {
    cclp_score method;
    EXPECT_EQ(cclp_score_init(&method), 0);
    return method;
}

// A two-sided method from two sides without cross-checks; each side lists
// x0, x1, x2, y0, y1.
using Side = std::array<double, 5>;
inline cclp_score twoSidedMethod(int32_t method, const Side& low, const Side& high) {
    cclp_scoreTwoSided f;
    EXPECT_EQ(cclp_scoreTwoSided_initOneSided(&f, low[0], low[1], low[2], low[3], low[4], high[0],
                                              high[1], high[2], high[3], high[4]),
              0);
    cclp_score score = contrast();
    EXPECT_EQ(cclp_score_initScoreMethodTwoSided(&score, method, &f), 0);
    return score;
}

// Scores 1 - |p| / 10 for a single edge, 1 - |mean| / 10 for a pair.
inline cclp_score nearCentre() { return oneSidedMethod(cclp_scoreMethodPosAbs, 0, 10, 10, 1, 0); }

// Score parameters, destructed at scope exit; each setter must succeed.
// Polarity 3 accepts any edge.
class Params {
public:
    Params() { EXPECT_EQ(cclp_scoreParams_construct(&params), 0); }
    ~Params() { cclp_scoreParams_destruct(&params); }
    Params(const Params&) = delete;
    Params& operator=(const Params&) = delete;

    Params& desired(const std::vector<cclp_desiredEdge>& edges) {
        return check(cclp_scoreParams_setDesiredEdges(&params, count(edges), edges.data()));
    }
    Params& singleEdge(int32_t polarity = 3) { return desired({{0.0, polarity}}); }
    Params& edgePair(double width, int32_t firstPolarity = 3, int32_t secondPolarity = 3) {
        return desired({{-width / 2, firstPolarity}, {width / 2, secondPolarity}});
    }
    Params& methods(const std::vector<cclp_score>& methods) {
        return check(cclp_scoreParams_setScoreMethods(&params, count(methods), methods.data()));
    }
    Params& maxResults(int32_t n) { return check(cclp_scoreParams_setMaxNumResults(&params, n)); }
    Params& sorted(bool sort) { return check(cclp_scoreParams_setSortByScore(&params, sort)); }

    cclp_scoreParams params;

private:
    template <class T>
    static int32_t count(const std::vector<T>& items) {
        return static_cast<int32_t>(items.size());
    }
    Params& check(int32_t status) {
        EXPECT_EQ(status, 0);
        return *this;
    }
};

inline int32_t constructSet(cclp_scoreResultSet* set) { return cclp_scoreResultSet_construct(set); }
inline int32_t constructSet(cclp_scoreResultSetEx* set) {
    return cclp_scoreResultSetEx_construct(set);
}
inline int32_t destructSet(cclp_scoreResultSet* set) { return cclp_scoreResultSet_destruct(set); }
inline int32_t destructSet(cclp_scoreResultSetEx* set) {
    return cclp_scoreResultSetEx_destruct(set);
}

// An output result set, destructed at scope exit.
template <class Set>
struct Output {
    Output() { EXPECT_EQ(constructSet(&set), 0); }
    ~Output() { EXPECT_EQ(destructSet(&set), 0); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    const auto& operator[](int32_t k) const { return set.results[k]; }
    Set set;
};

inline int32_t runScore(const Input& input, const Params& params,
                        Output<cclp_scoreResultSet>& out) {
    return cclp_runScore(&input.set, &params.params, &out.set);
}
inline int32_t runScore(const InputEx& input, const Params& params,
                        Output<cclp_scoreResultSetEx>& out) {
    return cclp_runScoreEx(&input.set, &params.params, &out.set);
}

// A result's values in the format the run wrote, in double units.
template <class R>
bool wroteDoubles(const R& r) { return (r.formats & CCLP_FORMAT_DOUBLE) != 0; }
template <class R>
double positionOf(const R& r) { return wroteDoubles(r) ? r.position : r.positionFixed / 256.0; }
template <class R>
double scoreOf(const R& r) { return wroteDoubles(r) ? r.score : r.scoreFixed / 256.0; }
template <class R>
double methodScoreOf(const R& r, int32_t m) {
    return wroteDoubles(r) ? r.scores[m] : r.scoresFixed[m] / 256.0;
}

}  // namespace cclp::testing
