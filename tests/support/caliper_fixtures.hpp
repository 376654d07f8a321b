// Caliper result sets with every field filled (edges in both forms, a
// projection and a double image with pixels, vectors, scale fields), held in
// scope guards, and the comparison of their edges.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

#include "cclp_caliper.h"
#include "cclp_score/cclp_result_set_ex.h"
#include "csys_runtime.h"

namespace cclp::testing {

// Scope guards: constructed on creation, destructed on exit.
template <class Set, int32_t (*Construct)(Set*), int32_t (*Destruct)(Set*)>
struct Guarded {
    Set value{};
    Guarded() { EXPECT_EQ(Construct(&value), 0); }
    ~Guarded() { EXPECT_EQ(Destruct(&value), 0); }
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;
};
using CaliperSet = Guarded<cclp_resultSet, cclp_resultSet_construct, cclp_resultSet_destruct>;
using CaliperSetEx =
    Guarded<cclp_resultSetEx, cclp_resultSetEx_construct, cclp_resultSetEx_destruct>;

template <class T>
T* allocateArray(int32_t count) {
    void* block = nullptr;
    EXPECT_EQ(csys_memory_alloc_internal(static_cast<size_t>(count) * sizeof(T), &block), 0);
    return static_cast<T*>(block);
}

// A caliper vector as the caliper library hands it over: the vector record
// over a runtime-allocated array of constructed result sets.
struct CaliperVector {
    cstd_vector value{};
    explicit CaliperVector(int32_t count) {
        value.begin = allocateArray<cclp_resultSet>(count);
        value.size = count;
        value.capacity = count;
        value.elementSize = static_cast<intptr_t>(sizeof(cclp_resultSet));
        for (int32_t i = 0; i < count; ++i) EXPECT_EQ(cclp_resultSet_construct(&at(i)), 0);
    }
    ~CaliperVector() {
        for (int32_t i = 0; i < static_cast<int32_t>(value.size); ++i) {
            cclp_resultSet_destruct(&at(i));
        }
        csys_memory_free_internal(&value.begin);
    }
    CaliperVector(const CaliperVector&) = delete;
    CaliperVector& operator=(const CaliperVector&) = delete;
    cclp_resultSet& at(int32_t i) { return static_cast<cclp_resultSet*>(value.begin)[i]; }
};

// Edges at ascending positions with alternating polarity, in both forms; a
// 5 x 2 projection with pixel (x, y) = 1000 + 100 y + x and a 3 x 2 double
// image.
inline void fillCaliperSet(cclp_resultSet& set, int32_t numEdges, uint32_t formats = 3) {
    set.numEdges = numEdges;
    set.formats = formats;
    set.edges = allocateArray<cclp_edge>(numEdges);
    set.edgesFixed = allocateArray<cclp_edgeFixed>(numEdges);
    for (int32_t i = 0; i < numEdges; ++i) {
        const double sign = i % 2 == 0 ? 1.0 : -1.0;
        set.edges[i] = cclp_edge{-20.0 + 7.5 * i, sign * (30.0 + i)};
        set.edgesFixed[i] =
            cclp_edgeFixed{(-20 * 256) + 1920 * i, static_cast<int32_t>(sign) * (30 + i) * 256};
    }
    set.projectionScale = 4;
    set.projectionScaling = 1;
    set.auxValue = 0xABCD1234u;
    set.vect0 = cmath_vect{1.5, -2.5};
    set.vect1 = cmath_vect{3.25, 4.0};
    cimg_image_destruct(&set.projectionImage);
    cimg_image_destruct(&set.doubleImage);
    ASSERT_EQ(cimg_image32_constructSized(&set.projectionImage, 5, 2), 0);
    ASSERT_EQ(cimg_imageD_constructSized(&set.doubleImage, 3, 2), 0);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            *cimg_image32_pixelAt(&set.projectionImage, x, y) = 1000u + uint32_t(100 * y + x);
        }
        for (int32_t x = 0; x < 3; ++x) *cimg_imageD_pixelAt(&set.doubleImage, x, y) = x + 3 * y;
    }
}

template <class Edge>
constexpr bool kHasExtras = sizeof(Edge) > 2 * sizeof(Edge::position);

// Position and contrast of `count` edges of either form, and the extras of
// extended edges: those of the expected edges, or zero for converted plain
// ones. The arrays must not be shared.
template <class A, class B>
void expectSameEdges(const A* actual, const B* expected, int32_t count) {
    ASSERT_NE(actual, nullptr);
    EXPECT_NE(static_cast<const void*>(actual), static_cast<const void*>(expected)) << "shared";
    for (int32_t i = 0; i < count; ++i) {
        EXPECT_EQ(actual[i].position, expected[i].position) << "edge " << i;
        EXPECT_EQ(actual[i].contrast, expected[i].contrast) << "edge " << i;
        if constexpr (kHasExtras<A>) {
            A want{};
            if constexpr (std::is_same_v<A, B>) want = expected[i];
            EXPECT_EQ(actual[i].extra1, want.extra1) << "edge " << i;
            EXPECT_EQ(actual[i].extra2, want.extra2) << "edge " << i;
            EXPECT_EQ(actual[i].extra3, want.extra3) << "edge " << i;
        }
    }
}

}  // namespace cclp::testing
