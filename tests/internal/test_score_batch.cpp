// Batches of candidates scored method after method give bit for bit the
// scores and the reports of broken preconditions of the one-candidate
// evaluation: every method and function shape, single edges and pairs, both
// number formats, plain and extended edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <type_traits>
#include <vector>

#include "frame/fixed_point.hpp"
#include "tests/support/runtime_controls.hpp"
#include "engine/score_batch.hpp"
#include "score/score_method.hpp"

using cclp::round256;
using cclp::testing::AssertionCounter;

namespace {

const cclp_desiredEdge kDesired[2] = {{-3.0, 3}, {3.0, 3}};

cclp_scoreOneSided oneSided(double x0, double x1, double x2, double offset) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, x0, x1, x2, 1.0, 0.25), 0);
    EXPECT_EQ(cclp_scoreOneSided_setPositionOffset(&f, offset), 0);
    return f;
}

// Methods of every number with a function of each shape: rising, falling,
// two sides meeting at a split point, and sides placed so that one or the
// other of the split point's preconditions fails (such methods are checked
// one candidate at a time).
std::vector<cclp_score> everyMethod() {
    const cclp_scoreOneSided shapes[] = {oneSided(-2, 6, 9, 1.5), oneSided(4, -1, -5, -2)};
    cclp_scoreTwoSided peak;
    EXPECT_EQ(cclp_scoreTwoSided_initOneSided(&peak, 0.5, -2, -6, 0.75, 0.5, 0.5, 3, 7, 1, 0), 0);
    peak.lowSide.positionOffset = -4;
    peak.highSide.positionOffset = 4;
    cclp_scoreTwoSided crossed;
    EXPECT_EQ(cclp_scoreTwoSided_initOneSided(&crossed, 5, 6, 7, 1, 0, 1, 2, 3, 1, 0), 0);
    // A high side whose middle lies below its lower end, as only a record
    // written field by field can hold.
    cclp_scoreTwoSided sagging = peak;
    sagging.highSide.x1 = 0.0;
    std::vector<cclp_score> methods;
    for (int32_t kind = 1; kind <= CCLP_SCORE_METHOD_COUNT; ++kind) {
        for (const cclp_scoreOneSided& f : shapes) {
            methods.push_back(cclp_score{1, f, peak, kind});
        }
        methods.push_back(cclp_score{0, shapes[0], peak, kind});
        methods.push_back(cclp_score{0, shapes[1], crossed, kind});
        methods.push_back(cclp_score{0, shapes[0], sagging, kind});
    }
    return methods;
}

template <class Edge>
std::vector<Edge> randomEdges(int32_t n, bool fixed) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> position(-12.0, 12.0);
    std::uniform_real_distribution<double> value(-300.0, 300.0);
    const auto units = [fixed](double v) {
        return static_cast<decltype(Edge::position)>(fixed ? round256(v) : v);
    };
    std::vector<Edge> edges(static_cast<size_t>(n));
    for (Edge& edge : edges) {
        edge.position = units(position(rng));
        edge.contrast = units(value(rng));
        if constexpr (requires { edge.extra1; }) {
            edge.extra1 = units(position(rng));
            edge.extra2 = units(position(rng));
            edge.extra3 = units(position(rng));
        }
    }
    // The pair of the first two measures exactly the peak's split point
    // with method 9: (9 - 6) / 6 = 0.5.
    edges[0].position = units(0.0);
    edges[1].position = units(9.0);
    return edges;
}

template <class Number>
bool sameBits(Number a, Number b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Scores every candidate of one batch (the edges, or the pairs of edge 0
// with every other edge) both ways and compares scores and reports.
template <class Edge, class Method>
void expectBatchMatchesOneByOne(const Method& method, const std::vector<Edge>& edges, bool pair,
                                cclp::EdgeNumber<Edge> width) {
    using Number = cclp::EdgeNumber<Edge>;
    const int32_t count = static_cast<int32_t>(edges.size()) - (pair ? 1 : 0);
    std::vector<Number> expected(static_cast<size_t>(count));
    int64_t expectedReports = 0;
    {
        AssertionCounter assertions;
        for (int32_t t = 0; t < count; ++t) {
            const Edge candidate[2] = {edges[0], edges[static_cast<size_t>(t + (pair ? 1 : 0))]};
            const Edge* first = pair ? candidate : &candidate[1];
            ASSERT_EQ(cclp::evaluateScoreMethod(&method, pair ? 2 : 1, first, kDesired, width,
                                                &expected[static_cast<size_t>(t)]),
                      0);
        }
        expectedReports = assertions.count();
    }
    std::vector<Number> scores(static_cast<size_t>(count));
    std::vector<int32_t> indices(static_cast<size_t>(count));
    cclp::ScoreBatch<Edge> batch(scores.data(), indices.data(), count);
    for (int32_t t = 0; t < count; ++t) batch.addIf(t + (pair ? 1 : 0), true);
    const bool checked = !cclp::evaluatesQuietly<Edge>(method, pair, width);
    AssertionCounter assertions;
    ASSERT_EQ(batch.scoreAll(&method, 1, edges.data(), pair ? edges.data() : nullptr, kDesired,
                             width, checked),
              0);
    EXPECT_EQ(assertions.count(), expectedReports);
    for (int32_t t = 0; t < count; ++t) {
        EXPECT_TRUE(sameBits(batch.score(0, t), expected[static_cast<size_t>(t)]))
            << "candidate " << t << ": " << batch.score(0, t) << " against "
            << expected[static_cast<size_t>(t)];
    }
}

template <class Edge>
void expectEveryMethodMatches() {
    constexpr bool fixed = std::is_same_v<cclp::EdgeNumber<Edge>, int32_t>;
    const std::vector<Edge> edges = randomEdges<Edge>(40, fixed);
    for (const cclp_score& method : everyMethod()) {
        for (const bool pair : {false, true}) {
            if (cclp::methodStatus(method.method, pair, cclp::ExtendedEdge<Edge>) != 0) continue;
            SCOPED_TRACE(::testing::Message() << "method " << method.method << " pair " << pair
                                              << " one-sided " << method.isOneSided);
            if constexpr (fixed) {
                expectBatchMatchesOneByOne(cclp::toFixed(method), edges, pair, round256(6.0));
            } else {
                expectBatchMatchesOneByOne(method, edges, pair, 6.0);
            }
        }
    }
}

}  // namespace

TEST(ScoreBatch, EveryMethodScoresAsTheOneByOneEvaluation) {
    expectEveryMethodMatches<cclp_edge>();
    expectEveryMethodMatches<cclp_edgeEx>();
    expectEveryMethodMatches<cclp_edgeFixed>();
    expectEveryMethodMatches<cclp_edgeFixedEx>();
    // A zero pair width is reported for every candidate.
    const cclp_score size{1, oneSided(0, 1, 2, 0), {}, cclp_scoreMethodSize};
    EXPECT_FALSE(cclp::evaluatesQuietly<cclp_edge>(size, true, 0.0));
    expectBatchMatchesOneByOne(size, randomEdges<cclp_edge>(10, false), true, 0.0);
}
