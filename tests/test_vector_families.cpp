// The four vector families, typed and shareable, through their exported
// members: elements built by each record's own operations, every element
// array released, failures that leave nothing behind, queries by type name,
// and new/newClone/delete.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/runtime_controls.hpp"
#include "tests/support/vector_families.hpp"

using namespace cclp::testing;

namespace {

using Keys = std::vector<double>;

template <class E>
class VectorFamily : public ::testing::Test {
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

    // new, newClone and delete of either kind over a source of two elements;
    // a clone carries the family's method table.
    template <class Api, class Object>
    static void expectHeapLifecycleOf(const Object& source) {
        expectHeapLifecycle(Api::create, Api::newClone, Api::destroy, source,
                            [](const Object& clone, const Object&) {
                                int32_t size = -1;
                                EXPECT_EQ(Api::getSize(&clone, &size), 0);
                                EXPECT_EQ(size, 2);
                                if constexpr (requires { Api::typeName; }) {
                                    void* object = nullptr;
                                    EXPECT_EQ(Api::queryInterfaceByTypename(
                                                  const_cast<Object*>(&clone), Api::typeName,
                                                  &object),
                                              0);
                                    EXPECT_EQ(object, &clone);
                                }
                            });
    }
};

TYPED_TEST_SUITE(VectorFamily, VectorElementTypes);

// New elements are fresh records; copies own their arrays; whatever an
// operation drops is released.
TYPED_TEST(VectorFamily, ElementsAreBuiltCopiedAndReleasedByTheRecordsOwnOperations) {
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
// construction, assignment that grows and that shrinks, growth by resize;
// and the shareable construction, whose local typed vector is destructed on
// every exit.
TYPED_TEST(VectorFamily, FailuresMidwayLeakNothing) {
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
    using Shareable = ShareableApi<TypeParam>;
    EXPECT_GE(sweepAllocationFailures([](int32_t k) {
                  typename Shareable::Shareable shareable;
                  const int32_t status =
                      failingAt(k, [&] { return Shareable::construct(&shareable, 2); });
                  const TypeParam* begin = nullptr;
                  int32_t size = 0;
                  if (status >= 0) {
                      EXPECT_EQ(Shareable::getBeginSizeConst(&shareable, &begin, &size), 0);
                      EXPECT_EQ(size, 2);
                      EXPECT_TRUE(Element<TypeParam>::isFresh(begin[1]));
                  }
                  EXPECT_EQ(Shareable::destruct(&shareable), 0);
                  return status;
              }),
              2);
    EXPECT_EQ(Shareable::construct(nullptr, 2), CSYS_STATUS_NULL_ARGUMENT);
}

TYPED_TEST(VectorFamily, NewCloneAndDeleteOwnTheVector) {
    LeakCheck leaks;
    typename TestFixture::Vector source = this->filled(2);
    typename ShareableApi<TypeParam>::Shareable shareable;
    ASSERT_EQ(ShareableApi<TypeParam>::constructVector(&shareable, &source), 0);
    this->template expectHeapLifecycleOf<VectorApi<TypeParam>>(source);
    this->template expectHeapLifecycleOf<ShareableApi<TypeParam>>(shareable);
    EXPECT_EQ(ShareableApi<TypeParam>::destruct(&shareable), 0);
    EXPECT_EQ(VectorApi<TypeParam>::destruct(&source), 0);
}

TYPED_TEST(VectorFamily, UnusedMemberCallsEverythingHarmlessly) {
    LeakCheck leaks;
    AssertionCounter assertions;
    VectorApi<TypeParam>::unused();
    EXPECT_GT(assertions.count(), 40) << "every member reports its null vector";
}

// The family's own name; another family's name goes to the base, which
// knows it not; the base answers for its own names.
TYPED_TEST(VectorFamily, ShareableAnswersItsOwnNameAndPassesOthersToTheBase) {
    using Api = ShareableApi<TypeParam>;
    const char* name = nullptr;
    ASSERT_EQ(Api::getTypename(nullptr, &name), 0);
    EXPECT_STREQ(name, Api::typeName);
    typename Api::Shareable shareable;
    ASSERT_EQ(Api::constructEmpty(&shareable), 0);
    const char* other = std::is_same_v<TypeParam, cclp_scoreParams>
                            ? CSTD_VECTOR_CCLP_TYPENAME(score)
                            : CSTD_VECTOR_CCLP_TYPENAME(scoreParams);
    const std::pair<const char*, void*> answers[] = {
        {name, &shareable},
        {other, nullptr},
        {CSTD_VECTOR_SHAREABLE_TYPENAME, &shareable},
        {CSTD_VECTOR_TYPENAME, &shareable.base.vector}};
    for (const auto& [asked, expected] : answers) {
        int sentinel = 0;
        void* object = &sentinel;
        ASSERT_EQ(Api::queryInterfaceByTypename(&shareable, asked, &object), 0);
        EXPECT_EQ(object, expected) << asked;
    }
    void* object = &shareable;
    ASSERT_EQ(Api::queryInterfaceByTypenameFinal(nullptr, name, &object), 0);
    EXPECT_EQ(object, nullptr);
    EXPECT_NULL_REFUSED(Api::queryInterfaceByTypename_(&shareable, nullptr, &object));
    EXPECT_NULL_REFUSED(Api::getTypename(nullptr, nullptr));
    EXPECT_EQ(Api::destruct(&shareable), 0);
}

}  // namespace
