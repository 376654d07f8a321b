// The caliper stand-in: its result set's life cycle and the read access to a
// vector of result sets.
#include <gtest/gtest.h>

#include "caliper_fixtures.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

TEST(CaliperStandIn, DestructReleasesEdgesAndPixels) {
    LeakCheck leaks;
    cclp_resultSet set;
    ASSERT_EQ(cclp_resultSet_construct(&set), 0);
    EXPECT_EQ(set.edges, nullptr);
    EXPECT_EQ(set.projectionImage.pixels, nullptr);
    fillCaliperSet(set, 4);
    EXPECT_EQ(cclp_resultSet_destruct(&set), 0);
    EXPECT_EQ(set.numEdges, 0);
    EXPECT_EQ(set.edges, nullptr);
}

TEST(CaliperStandIn, VectorGivesItsFirstElementAndCount) {
    LeakCheck leaks;
    CaliperVector vector(3);
    for (int32_t i = 0; i < 3; ++i) vector.at(i).auxValue = static_cast<uint32_t>(i);

    const cclp_resultSet* begin = nullptr;
    int32_t size = -1;
    ASSERT_EQ(cstd_vector_cclp_resultSet_getBeginSizeConst(&vector.value, &begin, &size), 0);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(begin[2].auxValue, 2u);

    vector.value.elementSize = 8;
    EXPECT_EQ(cstd_vector_cclp_resultSet_getBeginSizeConst(&vector.value, &begin, &size),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector_cclp_resultSet_getBeginSizeConst(nullptr, &begin, &size),
              CSYS_STATUS_NULL_ARGUMENT);
    vector.value.elementSize = sizeof(cclp_resultSet);
}
