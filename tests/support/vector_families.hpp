// The four vector families seen from a caller: each family's exported
// members gathered from the member tables of cclp_vectors.h, and for each
// element type a way to tell a freshly constructed record and to give a
// record arrays of its own.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/caliper_fixtures.hpp"
#include "cclp_score/cclp_score.h"
#include "tests/support/record_bytes.hpp"

namespace cclp::testing {

template <class E>
struct VectorApi;
template <class E>
struct ShareableApi;

#define CCLP_TEST_TYPED_MEMBER_(family, member, parameters, arguments, zeros) \
    static constexpr auto member = &cstd_vector_cclp_##family##_##member;
#define CCLP_TEST_SHAREABLE_MEMBER_(family, member, parameters, arguments) \
    static constexpr auto member = &cstd_vector_cclp_##family##Shareable_##member;
#define CCLP_TEST_FAMILY_API_(family)                                                              \
    template <>                                                                                    \
    struct VectorApi<cclp_##family> {                                                              \
        using Vector = cstd_vector_cclp_##family;                                                  \
        CSTD_VECTOR_CCLP_TYPED_MEMBERS(CCLP_TEST_TYPED_MEMBER_, family, cstd_vector_cclp_##family, \
                                       cclp_##family)                                              \
        static constexpr auto create = &cstd_vector_cclp_##family##_new;                           \
        static constexpr auto destroy = &cstd_vector_cclp_##family##_delete;                       \
        static constexpr auto unused = &cstd_vector_cclp_##family##___unused__;                    \
    };                                                                                             \
    template <>                                                                                    \
    struct ShareableApi<cclp_##family> {                                                           \
        using Shareable = cstd_vector_cclp_##family##Shareable;                                    \
        static constexpr const char* typeName = CSTD_VECTOR_CCLP_TYPENAME(family);                 \
        CSTD_VECTOR_CCLP_SHAREABLE_MEMBERS(CCLP_TEST_SHAREABLE_MEMBER_, family,                    \
                                           cstd_vector_cclp_##family##Shareable,                   \
                                           cstd_vector_cclp_##family, cclp_##family)               \
        static constexpr auto create = &cstd_vector_cclp_##family##Shareable_new;                  \
        static constexpr auto destroy = &cstd_vector_cclp_##family##Shareable_delete;              \
    };
CSTD_VECTOR_CCLP_FAMILIES(CCLP_TEST_FAMILY_API_)
#undef CCLP_TEST_FAMILY_API_

using VectorElementTypes =
    ::testing::Types<cclp_score, cclp_scoreParams, cclp_scoreResultSet, cclp_resultSetEx>;

// Per element type: whether an element is a freshly constructed record,
// and fill(record, seed), which makes a record told apart by key() == seed
// and owning arrays where its type has any (so that copies and releases
// show in the live blocks).
template <class E>
struct Element;

template <>
struct Element<cclp_score> {
    static bool isFresh(const cclp_score& score) {
        cclp_score fresh;
        EXPECT_EQ(cclp_score_init(&fresh), 0);
        return sameScore(score, fresh);
    }
    static void fill(cclp_score& score, int32_t seed) {
        cclp_scoreOneSided function;
        ASSERT_EQ(cclp_scoreOneSided_initValues(&function, seed, seed + 1.0, seed + 2.0, 1.0, 0.0),
                  0);
        ASSERT_EQ(cclp_score_initScoreMethodOneSided(&score, cclp_scoreMethodPos, &function), 0);
    }
    static double key(const cclp_score& score) { return score.oneSided.x0; }
};

template <>
struct Element<cclp_scoreParams> {
    static bool isFresh(const cclp_scoreParams& params) {
        return params.numDesiredEdges == 1 && params.desiredEdges != nullptr &&
               params.maxNumResults == 1 && params.numScoreMethods == 1 &&
               params.scoreMethods[0].method == cclp_scoreMethodContrast &&
               params.scoreMethodsFixed != nullptr;
    }
    static void fill(cclp_scoreParams& params, int32_t seed) {
        const cclp_desiredEdge edges[2] = {{0.0, 1}, {10.0 + seed, 2}};
        cclp_score methods[3];
        for (cclp_score& method : methods) ASSERT_EQ(cclp_score_init(&method), 0);
        ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&params, 2, edges), 0);
        ASSERT_EQ(cclp_scoreParams_setScoreMethods(&params, 3, methods), 0);
        ASSERT_EQ(cclp_scoreParams_setMaxNumResults(&params, 1 + seed), 0);
    }
    static double key(const cclp_scoreParams& params) { return params.maxNumResults - 1; }
};

template <>
struct Element<cclp_scoreResultSet> {
    static bool isFresh(const cclp_scoreResultSet& set) {
        return set.numResults == 0 && set.results == nullptr;
    }
    // Two results, each with two scores and one edge, as a run leaves them.
    static void fill(cclp_scoreResultSet& set, int32_t seed) {
        ASSERT_EQ(cclp_scoreResultSet_reset(&set), 0);
        set.results = allocateArray<cclp_scoreOneResult>(2);
        for (set.numResults = 0; set.numResults < 2; ++set.numResults) {
            cclp_scoreOneResult& result = set.results[set.numResults];
            ASSERT_EQ(cclp_scoreOneResult_construct(&result), 0);
            result.numScores = 2;
            result.scores = allocateArray<double>(2);
            result.scores[0] = result.scores[1] = 0.5;
            result.numEdges = 1;
            result.edges = allocateArray<cclp_edge>(1);
            result.edges[0] = cclp_edge{1.0 * seed, 2.0};
            result.position = seed;
        }
    }
    static double key(const cclp_scoreResultSet& set) { return set.results[1].position; }
};

// Edges in both forms and both images with pixels.
template <>
struct Element<cclp_resultSetEx> {
    static bool isFresh(const cclp_resultSetEx& set) { return isFreshResultSetEx(set); }
    static void fill(cclp_resultSetEx& set, int32_t seed) {
        CaliperSet caliper;
        fillCaliperSet(caliper.value, 1 + seed);
        ASSERT_EQ(cclp_resultSetEx_assignToEx(&set, &caliper.value), 0);
    }
    static double key(const cclp_resultSetEx& set) { return set.numEdges - 1; }
};

}  // namespace cclp::testing
