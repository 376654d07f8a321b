// Conversion of a caliper library vector of result sets into a vector of
// extended caliper result sets at one common projection scale.
#include <gtest/gtest.h>

#include "tests/support/caliper_fixtures.hpp"
#include "cclp_score/cclp_vectors.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// Three caliper result sets with 2, 3, 4 edges and the given scales, each
// following its scale.
struct ThreeSets {
    CaliperVector sources{3};
    explicit ThreeSets(const uint32_t (&scales)[3]) {
        for (int32_t i = 0; i < 3; ++i) {
            fillCaliperSet(sources.at(i), 2 + i);
            sources.at(i).projectionScale = scales[i];
        }
    }
};

struct ExVector {
    cstd_vector_cclp_resultSetEx value{};
    explicit ExVector(intptr_t count) {
        EXPECT_EQ(cstd_vector_cclp_resultSetEx_construct(&value, count), 0);
    }
    ~ExVector() { EXPECT_EQ(cstd_vector_cclp_resultSetEx_destruct(&value), 0); }
    ExVector(const ExVector&) = delete;
    ExVector& operator=(const ExVector&) = delete;

    int32_t size() const {
        int32_t size = -1;
        EXPECT_EQ(cstd_vector_cclp_resultSetEx_getSize(&value, &size), 0);
        return size;
    }
    const cclp_resultSetEx& at(intptr_t index) const {
        const cclp_resultSetEx* element = nullptr;
        EXPECT_EQ(cstd_vector_cclp_resultSetEx_getElementConst(&value, index, &element), 0);
        return *element;
    }
    int32_t assignToEx(const CaliperVector& sources) {
        return cstd_vector_cclp_resultSetEx_assignToEx(&value, &sources.value);
    }
};

// The first row multiplied by factor, the second row as fillCaliperSet left it.
void expectProjection(const cclp_resultSetEx& set, uint32_t factor) {
    for (int32_t x = 0; x < 5; ++x) {
        const uint32_t value = 1000u + static_cast<uint32_t>(x);
        EXPECT_EQ(*cimg_image32_pixelAtConst(&set.projectionImage, x, 0), value * factor) << x;
        EXPECT_EQ(*cimg_image32_pixelAtConst(&set.projectionImage, x, 1), value + 100u) << x;
    }
}

}  // namespace

// A projection that does not follow its scale is copied unscaled; the
// sources stay as they were; an empty source empties the destination; a
// vector of anything but result sets is refused.
TEST(ResultSetExVector, BringsEveryScalingProjectionToTheLargestScale) {
    LeakCheck leaks;
    ThreeSets sets({0, 1, 4});
    ExVector vector(5);
    ASSERT_EQ(vector.assignToEx(sets.sources), 0);
    ASSERT_EQ(vector.size(), 3);
    for (int32_t i = 0; i < 3; ++i) {
        const cclp_resultSetEx& converted = vector.at(i);
        EXPECT_EQ(converted.projectionScale, 4u) << "element " << i;
        EXPECT_EQ(converted.numEdges, 2 + i);
        expectSameEdges(converted.edgesFixed, sets.sources.at(i).edgesFixed, converted.numEdges);
        EXPECT_EQ(*cimg_image32_pixelAtConst(&sets.sources.at(i).projectionImage, 0, 0), 1000u);
    }
    expectProjection(vector.at(0), 4);
    expectProjection(vector.at(1), 4);
    expectProjection(vector.at(2), 1);

    sets.sources.at(0).projectionScaling = 0;
    ASSERT_EQ(cimg_image32_assignUnbound(&sets.sources.at(1).projectionImage), 0);
    ASSERT_EQ(vector.assignToEx(sets.sources), 0);
    EXPECT_EQ(vector.at(0).projectionScale, 4u);
    EXPECT_EQ(vector.at(0).projectionScaling, 0u);
    expectProjection(vector.at(0), 1);
    EXPECT_EQ(vector.at(1).projectionImage.pixels, nullptr) << "nothing to rescale";

    CaliperVector empty(0);
    ASSERT_EQ(vector.assignToEx(empty), 0);
    EXPECT_EQ(vector.size(), 0);
    sets.sources.value.elementSize = 8;
    EXPECT_EQ(vector.assignToEx(sets.sources), CSYS_STATUS_INVALID_ARGUMENT) << "not result sets";
    sets.sources.value.elementSize = sizeof(cclp_resultSet);
    EXPECT_EQ(cstd_vector_cclp_resultSetEx_assignToEx(&vector.value, nullptr),
              CSYS_STATUS_NULL_ARGUMENT);
}

// Rescaling from a scale above 1 is reported, and done; products keep their
// low 32 bits.
TEST(ResultSetExVector, ScalesCompareAsSignedValues) {
    LeakCheck leaks;
    ThreeSets sets({0x80000000u, 2, 1});
    *cimg_image32_pixelAt(&sets.sources.at(0).projectionImage, 0, 0) = 0x80000001u;
    *cimg_image32_pixelAt(&sets.sources.at(0).projectionImage, 1, 0) = 0xFFFFFFFFu;
    ExVector vector(0);
    AssertionCounter assertions;
    ASSERT_EQ(vector.assignToEx(sets.sources), 0);
    EXPECT_EQ(assertions.count(), 1);
    EXPECT_EQ(vector.at(0).projectionScale, 2u) << "a scale with the top bit set is no candidate";
    EXPECT_EQ(*cimg_image32_pixelAtConst(&vector.at(0).projectionImage, 0, 0), 2u);
    EXPECT_EQ(*cimg_image32_pixelAtConst(&vector.at(0).projectionImage, 1, 0), 0xFFFFFFFEu);
    EXPECT_EQ(*cimg_image32_pixelAtConst(&vector.at(0).projectionImage, 2, 0), 2004u);
    expectProjection(vector.at(1), 1);
    expectProjection(vector.at(2), 2);
}

// Converted elements first, then the failed one, which claims no edges,
// then elements as construction left them.
TEST(ResultSetExVector, AFailedConversionKeepsTheElementsBeforeIt) {
    ThreeSets sets({0, 1, 4});
    int32_t partial = 0;
    sweepAllocationFailures([&](int32_t k) -> int32_t {
        ExVector vector(1);
        const int32_t status = failingAt(k, [&] { return vector.assignToEx(sets.sources); });
        if (status < 0 && vector.size() == 3) {
            int32_t converted = 0;
            while (converted < 3 && vector.at(converted).numEdges == 2 + converted) ++converted;
            EXPECT_LT(converted, 3);
            if (converted == 3) return status;
            EXPECT_EQ(vector.at(converted).numEdges, 0);
            EXPECT_EQ(vector.at(converted).formats, 0u);
            for (int32_t i = 0; i < converted; ++i) EXPECT_EQ(vector.at(i).projectionScale, 4u);
            partial += converted > 0;
        }
        return status;
    });
    EXPECT_GT(partial, 0) << "some failures hit a later element";
}
