// The four typed vector families through their exported members: elements
// built by each record's own operations, every element array released,
// failures that leave nothing behind, and new/newClone/delete.
#include <gtest/gtest.h>

#include <vector>

#include "runtime_controls.hpp"
#include "vector_families.hpp"

using namespace cclp::testing;

namespace {

template <class E>
class TypedVector : public ::testing::Test {
protected:
    using Vector = typename VectorApi<E>::Vector;
    using Record = Element<E>;

    // A vector of filled elements with keys 0, 1, ..., count - 1.
    static Vector filled(int32_t count) {
        Vector vector;
        EXPECT_EQ(VectorApi<E>::construct(&vector, count), 0);
        for (int32_t i = 0; i < count; ++i) {
            E* element = nullptr;
            EXPECT_EQ(VectorApi<E>::getElement(&vector, i, &element), 0);
            Record::fill(*element, i);
        }
        return vector;
    }

    static std::vector<double> keysOf(const Vector& vector) {
        const E* begin = nullptr;
        intptr_t size = 0;
        EXPECT_EQ(VectorApi<E>::getBeginSizeIntPtrConst(&vector, &begin, &size), 0);
        std::vector<double> keys;
        for (intptr_t i = 0; i < size; ++i) keys.push_back(Record::key(begin[i]));
        return keys;
    }

    static void expectFreshFrom(const Vector& vector, intptr_t first) {
        const E* begin = nullptr;
        const E* end = nullptr;
        ASSERT_EQ(VectorApi<E>::getBeginEndConst(&vector, &begin, &end), 0);
        for (const E* element = begin + first; element < end; ++element) {
            EXPECT_TRUE(Record::isFresh(*element)) << "element " << element - begin;
        }
    }

    // Sweeps an operation on a vector of three filled elements and another
    // of otherCount, both built before the failure is armed: on failure and
    // on success, destructing both leaves no block behind.
    static void sweepOn(int32_t otherCount,
                        const std::function<int32_t(Vector&, Vector&)>& operation) {
        sweepAllocationFailures([&](int32_t k) {
            Vector vector = filled(3);
            Vector other = filled(otherCount);
            int32_t status = 0;
            {
                FailAllocation fail(k);
                status = operation(vector, other);
            }
            EXPECT_EQ(VectorApi<E>::destruct(&vector), 0);
            EXPECT_EQ(VectorApi<E>::destruct(&other), 0);
            return status;
        });
    }
};

TYPED_TEST_SUITE(TypedVector, VectorElementTypes);

TYPED_TEST(TypedVector, ConstructBuildsFreshRecordsOfTheElementSize) {
    using Api = VectorApi<TypeParam>;
    LeakCheck leaks;
    typename Api::Vector vector;
    ASSERT_EQ(Api::construct(&vector, 3), 0);
    this->expectFreshFrom(vector, 0);
    intptr_t elementSize = 0;
    ASSERT_EQ(Api::getElementSize(&vector, &elementSize), 0);
    EXPECT_EQ(elementSize, static_cast<intptr_t>(sizeof(TypeParam)));
    int32_t size = 0;
    int32_t size32 = 0;
    intptr_t sizeIntPtr = 0;
    ASSERT_EQ(Api::getSize(&vector, &size), 0);
    ASSERT_EQ(Api::getSize32(&vector, &size32), 0);
    ASSERT_EQ(Api::getSizeIntPtr(&vector, &sizeIntPtr), 0);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(size32, 3);
    EXPECT_EQ(sizeIntPtr, 3);
    ASSERT_EQ(Api::resize(&vector, 5), 0);
    this->expectFreshFrom(vector, 3);
    EXPECT_EQ(Api::destruct(&vector), 0);
}

TYPED_TEST(TypedVector, EveryOperationReleasesWhatItDrops) {
    using Api = VectorApi<TypeParam>;
    LeakCheck leaks;
    typename TestFixture::Vector vector = this->filled(4);
    typename TestFixture::Vector copy;
    ASSERT_EQ(Api::constructCopy(&copy, &vector), 0);
    ASSERT_EQ(Api::resize(&vector, 1), 0);
    EXPECT_EQ(this->keysOf(copy), (std::vector<double>{0, 1, 2, 3})) << "the copy owns its arrays";
    ASSERT_EQ(Api::assign(&vector, &copy), 0);
    ASSERT_EQ(Api::erase(&vector, 1, 2), 0);
    EXPECT_EQ(this->keysOf(vector), (std::vector<double>{0, 3}));
    const TypeParam* begin = nullptr;
    const TypeParam* end = nullptr;
    ASSERT_EQ(Api::getBeginEndConst(&copy, &begin, &end), 0);
    ASSERT_EQ(Api::insert(&vector, 1, begin + 1, begin + 3), 0);
    ASSERT_EQ(Api::pushBack(&vector, begin), 0);
    EXPECT_EQ(this->keysOf(vector), (std::vector<double>{0, 1, 2, 3, 0}));
    ASSERT_EQ(Api::popBack(&copy), 0);
    ASSERT_EQ(Api::clear(&copy), 0);
    ASSERT_EQ(Api::resize(&vector, 7), 0);
    EXPECT_EQ(Api::destruct(&vector), 0);
    EXPECT_EQ(Api::destruct(&copy), 0);
}

TYPED_TEST(TypedVector, FailuresMidwayLeakNothing) {
    using Api = VectorApi<TypeParam>;
    using V = typename TestFixture::Vector;
    this->sweepOn(0, [](V& vector, V&) {
        V copy;
        const int32_t status = Api::constructCopy(&copy, &vector);
        Api::destruct(&copy);
        return status;
    });
    this->sweepOn(1, [](V& vector, V& small) { return Api::assign(&small, &vector); });
    this->sweepOn(5, [](V& vector, V& large) { return Api::assign(&vector, &large); });
    this->sweepOn(0, [](V& vector, V&) { return Api::resize(&vector, 6); });
    this->sweepOn(2, [](V& vector, V& other) { return Api::append(&vector, &other); });
    this->sweepOn(0, [](V& vector, V&) {
        TypeParam* first = nullptr;
        EXPECT_EQ(Api::getBegin(&vector, &first), 0);
        return Api::resizeFill(&vector, 5, first);
    });
    this->sweepOn(2, [](V& vector, V& other) {
        const TypeParam* begin = nullptr;
        const TypeParam* end = nullptr;
        EXPECT_EQ(Api::getBeginEndConst(&other, &begin, &end), 0);
        return Api::insert(&vector, 1, begin, end);
    });
    sweepAllocationFailures([](int32_t k) {
        typename TestFixture::Vector vector;
        int32_t status = 0;
        {
            FailAllocation fail(k);
            status = Api::construct(&vector, 3);
        }
        Api::destruct(&vector);
        return status;
    });
}

TYPED_TEST(TypedVector, NewCloneAndDeleteOwnTheVector) {
    using Api = VectorApi<TypeParam>;
    LeakCheck leaks;
    typename TestFixture::Vector source = this->filled(2);
    typename TestFixture::Vector* held = nullptr;
    ASSERT_EQ(Api::create(&held), 0);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(this->keysOf(*held), std::vector<double>{});
    ASSERT_EQ(Api::newClone(&held, &source), 0);
    EXPECT_EQ(this->keysOf(*held), (std::vector<double>{0, 1}));
    ASSERT_EQ(Api::newClone(&held, held), 0) << "cloning the held vector into itself keeps it";
    EXPECT_EQ(this->keysOf(*held), (std::vector<double>{0, 1}));
    ASSERT_EQ(Api::newClone(&held, nullptr), 0);
    EXPECT_EQ(held, nullptr) << "a null source deletes";
    ASSERT_EQ(Api::destroy(&held), 0) << "deleting a null pointer leaves it alone";
    sweepAllocationFailures([&](int32_t k) {
        typename TestFixture::Vector* clone = nullptr;
        int32_t status = 0;
        {
            FailAllocation fail(k);
            status = Api::newClone(&clone, &source);
        }
        if (status < 0) {
            EXPECT_EQ(clone, nullptr);
        }
        Api::destroy(&clone);
        return status;
    });
    AssertionCounter assertions;
    EXPECT_EQ(Api::create(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(Api::newClone(nullptr, &source), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(Api::destroy(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 3);
    Api::destruct(&source);
}

TYPED_TEST(TypedVector, UnusedMemberCallsEverythingHarmlessly) {
    LeakCheck leaks;
    AssertionCounter assertions;
    VectorApi<TypeParam>::unused();
    EXPECT_GT(assertions.count(), 40) << "every member reports its null vector";
}

}  // namespace
