// Builders for scoring-run tests: caliper inputs from edge lists, score
// parameters, owned output sets, and a printable snapshot of an output so
// that "left as it was" can be checked field by field.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.h"

namespace cclp::testing {

// d*256 rounded as the module rounds (halves away from zero for positives,
// toward zero for negatives).
inline int32_t fixed256(double value) {
    const double scaled = value * 256.0;
    return static_cast<int32_t>(scaled >= 0.0 ? scaled + 0.5 : scaled - 0.4999999999);
}

struct EdgeSpec {
    double position;
    double contrast;
    double extra1 = 0.0;
    double extra2 = 0.0;
    double extra3 = 0.0;
};

// A caliper result set over edges it owns; the fixed-point edges are the
// rounded double edges unless replaced.
struct Input {
    std::vector<cclp_edge> edges;
    std::vector<cclp_edgeFixed> edgesFixed;
    cclp_resultSet set{};

    explicit Input(const std::vector<EdgeSpec>& specs, uint32_t formats = CCLP_FORMAT_DOUBLE) {
        for (const EdgeSpec& e : specs) {
            edges.push_back({e.position, e.contrast});
            edgesFixed.push_back({fixed256(e.position), fixed256(e.contrast)});
        }
        set.numEdges = static_cast<int32_t>(specs.size());
        set.formats = formats;
        set.edges = edges.data();
        set.edgesFixed = edgesFixed.data();
    }
};

struct InputEx {
    std::vector<cclp_edgeEx> edges;
    std::vector<cclp_edgeFixedEx> edgesFixed;
    cclp_resultSetEx set{};

    explicit InputEx(const std::vector<EdgeSpec>& specs, uint32_t formats = CCLP_FORMAT_DOUBLE) {
        for (const EdgeSpec& e : specs) {
            edges.push_back({e.position, e.contrast, e.extra1, e.extra2, e.extra3});
            edgesFixed.push_back({fixed256(e.position), fixed256(e.contrast), fixed256(e.extra1),
                                  fixed256(e.extra2), fixed256(e.extra3)});
        }
        set.numEdges = static_cast<int32_t>(specs.size());
        set.formats = formats;
        set.edges = edges.data();
        set.edgesFixed = edgesFixed.data();
    }
};

inline cclp_score oneSidedMethod(int32_t method, double x0, double x1, double x2, double y0,
                                 double y1) {
    cclp_scoreOneSided function;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&function, x0, x1, x2, y0, y1), 0);
    cclp_score score;
    EXPECT_EQ(cclp_score_init(&score), 0);
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&score, method, &function), 0);
    return score;
}

inline cclp_score twoSidedMethod(int32_t method, const double low[3], const double high[3],
                                 double lowY0, double lowY1, double highY0, double highY1) {
    cclp_scoreTwoSided function;
    EXPECT_EQ(cclp_scoreTwoSided_initOneSided(&function, low[0], low[1], low[2], lowY0, lowY1,
                                              high[0], high[1], high[2], highY0, highY1),
              0);
    cclp_score score;
    EXPECT_EQ(cclp_score_init(&score), 0);
    EXPECT_EQ(cclp_score_initScoreMethodTwoSided(&score, method, &function), 0);
    return score;
}

// Score parameters, destructed at scope exit. Polarity 3 accepts any edge.
class Params {
public:
    Params() { EXPECT_EQ(cclp_scoreParams_construct(&params), 0); }
    ~Params() { cclp_scoreParams_destruct(&params); }
    Params(const Params&) = delete;
    Params& operator=(const Params&) = delete;

    Params& singleEdge(int32_t polarity = 3) {
        const cclp_desiredEdge edge{0.0, polarity};
        EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&params, 1, &edge), 0);
        return *this;
    }
    Params& edgePair(double width, int32_t firstPolarity = 3, int32_t secondPolarity = 3) {
        const cclp_desiredEdge edges[2] = {{-width / 2, firstPolarity},
                                           {width / 2, secondPolarity}};
        EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&params, 2, edges), 0);
        return *this;
    }
    Params& methods(const std::vector<cclp_score>& methods) {
        EXPECT_EQ(cclp_scoreParams_setScoreMethods(&params, static_cast<int32_t>(methods.size()),
                                                   methods.data()),
                  0);
        return *this;
    }
    Params& maxResults(int32_t count) {
        EXPECT_EQ(cclp_scoreParams_setMaxNumResults(&params, count), 0);
        return *this;
    }
    Params& sorted(bool sort) {
        EXPECT_EQ(cclp_scoreParams_setSortByScore(&params, sort ? 1 : 0), 0);
        return *this;
    }

    cclp_scoreParams params;
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

// Everything a caller can see of an output set, pointers included.
template <class Set>
std::string snapshot(const Set& set) {
    std::string text;
    char line[256];
    std::snprintf(line, sizeof line, "n=%d at %p\n", set.numResults,
                  static_cast<void*>(set.results));
    text += line;
    for (int32_t r = 0; set.results != nullptr && r < set.numResults; ++r) {
        const auto& record = set.results[r];
        std::snprintf(line, sizeof line, "[%d] s=%d f=%u e=%d pos=%a/%d score=%a/%d %p %p %p %p\n",
                      r, record.numScores, record.formats, record.numEdges, record.position,
                      record.positionFixed, record.score, record.scoreFixed,
                      static_cast<void*>(record.scores), static_cast<void*>(record.scoresFixed),
                      static_cast<void*>(record.edges), static_cast<void*>(record.edgesFixed));
        text += line;
        // Appended piece by piece: GCC 12 at -O3 warns falsely on string sums.
        const auto append = [&text](double value) {
            text += ' ';
            text += std::to_string(value);
        };
        for (int32_t m = 0; m < record.numScores; ++m) {
            if (record.scores != nullptr) append(record.scores[m]);
            if (record.scoresFixed != nullptr) append(record.scoresFixed[m]);
        }
        for (int32_t e = 0; e < record.numEdges; ++e) {
            if (record.edges != nullptr) append(record.edges[e].position);
            if (record.edgesFixed != nullptr) append(record.edgesFixed[e].position);
        }
        text += "\n";
    }
    return text;
}

}  // namespace cclp::testing
