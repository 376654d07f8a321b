// The four typed vector families through their exported members: elements
// built by each record's own operations, every element array released,
// failures that leave nothing behind, and new/newClone/delete.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "runtime_controls.hpp"
#include "vector_families.hpp"

using namespace cclp::testing;

namespace {

using Keys = std::vector<double>;

template <class E>
class TypedVector : public ::testing::Test {
protected:
    using Vector = typename VectorApi<E>::Vector;

    // A vector of filled elements with keys 0, 1, ..., count - 1.
    static Vector filled(int32_t count) {
        Vector vector;
        EXPECT_EQ(VectorApi<E>::construct(&vector, count), 0);
        for (int32_t i = 0; i < count; ++i) {
            E* element = nullptr;
            EXPECT_EQ(VectorApi<E>::getElement(&vector, i, &element), 0);
            Element<E>::fill(*element, i);
        }
        return vector;
    }

    static Keys keysOf(const Vector& vector) {
        const E* begin = nullptr;
        intptr_t size = 0;
        EXPECT_EQ(VectorApi<E>::getBeginSizeIntPtrConst(&vector, &begin, &size), 0);
        Keys keys;
        for (intptr_t i = 0; i < size; ++i) keys.push_back(Element<E>::key(begin[i]));
        return keys;
    }

    // Sweeps an operation on a vector of three filled elements and another
    // of otherCount, both built before the failure is armed: destructing
    // both leaves no block behind.
    static void sweepOn(int32_t otherCount,
                        const std::function<int32_t(Vector&, Vector&)>& operate) {
        sweepAllocationFailures([&](int32_t k) {
            Vector vector = filled(3);
            Vector other = filled(otherCount);
            const int32_t status = failingAt(k, [&] { return operate(vector, other); });
            EXPECT_EQ(VectorApi<E>::destruct(&vector), 0);
            EXPECT_EQ(VectorApi<E>::destruct(&other), 0);
            return status;
        });
    }
};

TYPED_TEST_SUITE(TypedVector, VectorElementTypes);

// New elements are fresh records of the element size; copies own their
// arrays; whatever an operation drops is released.
TYPED_TEST(TypedVector, ElementsAreBuiltCopiedAndReleasedByTheRecordsOwnOperations) {
    using Api = VectorApi<TypeParam>;
    LeakCheck leaks;
    typename TestFixture::Vector vector = this->filled(4);
    typename TestFixture::Vector copy;
    ASSERT_EQ(Api::constructCopy(&copy, &vector), 0);
    ASSERT_EQ(Api::resize(&vector, 1), 0);
    ASSERT_EQ(Api::resize(&vector, 3), 0);
    const TypeParam* begin = nullptr;
    const TypeParam* end = nullptr;
    ASSERT_EQ(Api::getBeginEndConst(&vector, &begin, &end), 0);
    ASSERT_EQ(end - begin, 3);
    EXPECT_TRUE(Element<TypeParam>::isFresh(begin[1]));
    EXPECT_TRUE(Element<TypeParam>::isFresh(begin[2]));

    EXPECT_EQ(this->keysOf(copy), (Keys{0, 1, 2, 3}));
    ASSERT_EQ(Api::assign(&vector, &copy), 0);
    ASSERT_EQ(Api::erase(&vector, 1, 2), 0);
    EXPECT_EQ(this->keysOf(vector), (Keys{0, 3}));
    ASSERT_EQ(Api::getBeginEndConst(&copy, &begin, &end), 0);
    ASSERT_EQ(Api::insert(&vector, 1, begin + 1, begin + 3), 0);
    ASSERT_EQ(Api::pushBack(&vector, begin), 0);
    EXPECT_EQ(this->keysOf(vector), (Keys{0, 1, 2, 3, 0}));
    ASSERT_EQ(Api::popBack(&copy), 0);
    ASSERT_EQ(Api::clear(&copy), 0);
    EXPECT_EQ(Api::destruct(&vector), 0);
    EXPECT_EQ(Api::destruct(&copy), 0);
}

// One sweep per path through the records' operations: construction, copy
// construction, assignment that grows and that shrinks, growth by resize.
TYPED_TEST(TypedVector, FailuresMidwayLeakNothing) {
    using Api = VectorApi<TypeParam>;
    using V = typename TestFixture::Vector;
    this->sweepOn(0, [](V&, V& empty) {
        EXPECT_EQ(Api::destruct(&empty), 0);
        return Api::construct(&empty, 3);
    });
    this->sweepOn(0, [](V& vector, V&) {
        V copy;
        const int32_t status = Api::constructCopy(&copy, &vector);
        Api::destruct(&copy);
        return status;
    });
    this->sweepOn(1, [](V& vector, V& small) { return Api::assign(&small, &vector); });
    this->sweepOn(5, [](V& vector, V& large) { return Api::assign(&vector, &large); });
    this->sweepOn(0, [](V& vector, V&) { return Api::resize(&vector, 6); });
}

// Cloning the held vector keeps it; a null source deletes; on failure the
// pointer is null.
TYPED_TEST(TypedVector, NewCloneAndDeleteOwnTheVector) {
    using Api = VectorApi<TypeParam>;
    LeakCheck leaks;
    typename TestFixture::Vector source = this->filled(2);
    typename TestFixture::Vector* held = nullptr;
    ASSERT_EQ(Api::create(&held), 0);
    EXPECT_EQ(this->keysOf(*held), Keys{});
    ASSERT_EQ(Api::newClone(&held, &source), 0);
    ASSERT_EQ(Api::newClone(&held, held), 0);
    EXPECT_EQ(this->keysOf(*held), (Keys{0, 1}));
    ASSERT_EQ(Api::newClone(&held, nullptr), 0);
    EXPECT_EQ(held, nullptr);
    ASSERT_EQ(Api::destroy(&held), 0) << "deleting a null pointer leaves it alone";
    sweepAllocationFailures([&](int32_t k) {
        const int32_t status = failingAt(k, [&] { return Api::newClone(&held, &source); });
        if (status < 0) {
            EXPECT_EQ(held, nullptr);
        }
        Api::destroy(&held);
        return status;
    });
    EXPECT_NULL_REFUSED(Api::create(nullptr));
    EXPECT_NULL_REFUSED(Api::newClone(nullptr, &source));
    EXPECT_NULL_REFUSED(Api::destroy(nullptr));
    Api::destruct(&source);
}

TYPED_TEST(TypedVector, UnusedMemberCallsEverythingHarmlessly) {
    LeakCheck leaks;
    AssertionCounter assertions;
    VectorApi<TypeParam>::unused();
    EXPECT_GT(assertions.count(), 40) << "every member reports its null vector";
}

}  // namespace
