// The four shareable vector families: type names, queries by name, the
// construction from a typed vector that leaves none behind, forwarding to
// the runtime's shareable base, and new/newClone/delete.
#include <gtest/gtest.h>

#include <string>

#include "runtime_controls.hpp"
#include "vector_families.hpp"

using namespace cclp::testing;

namespace {

template <class E>
class ShareableVector : public ::testing::Test {
protected:
    static int32_t sizeOf(const typename ShareableApi<E>::Shareable& shareable) {
        int32_t size = -1;
        EXPECT_EQ(ShareableApi<E>::getSize(&shareable, &size), 0);
        return size;
    }
};

TYPED_TEST_SUITE(ShareableVector, VectorElementTypes);

// Names compare case-sensitively; another family's name goes to the base,
// which knows it not; the base answers for its own names.
TYPED_TEST(ShareableVector, AnswersItsOwnNameExactlyAndPassesOthersToTheBase) {
    using Api = ShareableApi<TypeParam>;
    const std::string family = std::is_same_v<TypeParam, cclp_score>            ? "score"
                               : std::is_same_v<TypeParam, cclp_scoreParams>    ? "scoreParams"
                               : std::is_same_v<TypeParam, cclp_scoreResultSet> ? "scoreResultSet"
                                                                                : "resultSetEx";
    const char* name = nullptr;
    ASSERT_EQ(Api::getTypename(nullptr, &name), 0);
    EXPECT_EQ(name, "cstd_vector_cclp_" + family + "Shareable");
    typename Api::Shareable shareable;
    ASSERT_EQ(Api::constructEmpty(&shareable), 0);
    std::string lowered = name;
    lowered[lowered.find("Shareable")] = 's';
    const char* other = std::is_same_v<TypeParam, cclp_scoreParams>
                            ? CSTD_VECTOR_CCLP_TYPENAME(score)
                            : CSTD_VECTOR_CCLP_TYPENAME(scoreParams);
    const std::pair<const char*, void*> answers[] = {
        {name, &shareable},
        {lowered.c_str(), nullptr},
        {other, nullptr},
        {CSTD_VECTOR_SHAREABLE_TYPENAME, &shareable},
        {CSTD_VECTOR_TYPENAME, &shareable.base.vector}};
    for (const auto query : {Api::queryInterfaceByTypename, Api::queryInterfaceByTypename_,
                             Api::queryInterfaceByTypenameFinal}) {
        for (const auto& [asked, expected] : answers) {
            int sentinel = 0;
            void* object = &sentinel;
            ASSERT_EQ(query(&shareable, asked, &object), 0);
            EXPECT_EQ(object, expected) << asked;
        }
        void* object = &shareable;
        ASSERT_EQ(query(nullptr, name, &object), 0);
        EXPECT_EQ(object, nullptr);
        EXPECT_NULL_REFUSED(query(&shareable, nullptr, &object));
        EXPECT_NULL_REFUSED(query(&shareable, name, nullptr));
    }
    EXPECT_NULL_REFUSED(Api::getTypename(nullptr, nullptr));
    EXPECT_EQ(Api::destruct(&shareable), 0);
}

// The local typed vector is destructed on every exit, also when the base
// refuses a null shareable vector.
TYPED_TEST(ShareableVector, ConstructionLeavesNoTypedVectorBehind) {
    using Api = ShareableApi<TypeParam>;
    {
        LeakCheck leaks;
        AssertionCounter assertions;
        EXPECT_EQ(Api::constructEmpty(nullptr), CSYS_STATUS_NULL_ARGUMENT);
        EXPECT_EQ(Api::construct(nullptr, 2), CSYS_STATUS_NULL_ARGUMENT);
        EXPECT_GE(assertions.count(), 2);
    }
    EXPECT_GE(sweepAllocationFailures([](int32_t k) {
                  typename Api::Shareable shareable;
                  const int32_t status =
                      failingAt(k, [&] { return Api::construct(&shareable, 2); });
                  if (status >= 0) {
                      const TypeParam* begin = nullptr;
                      int32_t size = -1;
                      EXPECT_EQ(Api::getBeginSizeConst(&shareable, &begin, &size), 0);
                      EXPECT_EQ(size, 2);
                      for (int32_t i = 0; i < size; ++i) {
                          EXPECT_TRUE(Element<TypeParam>::isFresh(begin[i]));
                      }
                  }
                  EXPECT_EQ(Api::destruct(&shareable), 0);
                  return status;
              }),
              2)
        << "the typed vector and the shareable copy each allocate";
}

TYPED_TEST(ShareableVector, ForwardsToTheBaseAndHoldsCopies) {
    using Api = ShareableApi<TypeParam>;
    using Typed = VectorApi<TypeParam>;
    LeakCheck leaks;
    typename Typed::Vector typed;
    ASSERT_EQ(Typed::construct(&typed, 2), 0);
    TypeParam* element = nullptr;
    ASSERT_EQ(Typed::getElement(&typed, 1, &element), 0);
    Element<TypeParam>::fill(*element, 4);

    typename Api::Shareable shareable, copy;
    ASSERT_EQ(Api::constructVector(&shareable, &typed), 0);
    ASSERT_EQ(Api::pushBack(&shareable, element), 0);
    TypeParam* begin = nullptr;
    TypeParam* end = nullptr;
    TypeParam* sized = nullptr;
    int32_t size = 0;
    ASSERT_EQ(Api::getBeginEnd(&shareable, &begin, &end), 0);
    ASSERT_EQ(Api::getBeginSize(&shareable, &sized, &size), 0);
    ASSERT_EQ(size, 3);
    EXPECT_EQ(sized, begin);
    EXPECT_EQ(end, begin + 3);
    EXPECT_NE(begin + 1, element);
    EXPECT_EQ(Element<TypeParam>::key(begin[2]), 4);
    intptr_t value = 0;

    ASSERT_EQ(Api::constructCopy(&copy, &shareable), 0);
    ASSERT_EQ(Api::reserve(&copy, 10), 0);
    ASSERT_EQ(Api::getCapacity(&copy, &value), 0);
    EXPECT_EQ(value, 10);
    ASSERT_EQ(Api::assignVector(&copy, &typed), 0);
    ASSERT_EQ(Api::assign(&shareable, &copy), 0);
    EXPECT_EQ(this->sizeOf(shareable), 2);
    const TypeParam* first = nullptr;
    const TypeParam* last = nullptr;
    ASSERT_EQ(Api::getBeginEndConst(&copy, &first, &last), 0);
    ASSERT_EQ(Api::assignElements(&shareable, first + 1, last), 0);
    EXPECT_EQ(this->sizeOf(shareable), 1);
    ASSERT_EQ(Api::resize(&shareable, 3), 0);
    ASSERT_EQ(Api::reset(&copy), 0);
    EXPECT_EQ(this->sizeOf(copy), 0);
    EXPECT_EQ(Api::destruct(&copy), 0);
    EXPECT_EQ(Api::destruct(&shareable), 0);
    EXPECT_EQ(Typed::destruct(&typed), 0);
}

// A clone carries the family's method table; on failure the pointer is null.
TYPED_TEST(ShareableVector, NewCloneAndDelete) {
    using Api = ShareableApi<TypeParam>;
    LeakCheck leaks;
    typename Api::Shareable source;
    ASSERT_EQ(Api::construct(&source, 2), 0);
    typename Api::Shareable* held = nullptr;
    ASSERT_EQ(Api::create(&held), 0);
    EXPECT_EQ(this->sizeOf(*held), 0);
    ASSERT_EQ(Api::newClone(&held, &source), 0);
    EXPECT_EQ(this->sizeOf(*held), 2);
    void* object = nullptr;
    ASSERT_EQ(Api::queryInterfaceByTypename(held, Api::typeName, &object), 0);
    EXPECT_EQ(object, held);
    ASSERT_EQ(Api::newClone(&held, nullptr), 0);
    EXPECT_EQ(held, nullptr);
    sweepAllocationFailures([&](int32_t k) {
        const int32_t status = failingAt(k, [&] { return Api::newClone(&held, &source); });
        if (status < 0) {
            EXPECT_EQ(held, nullptr);
        }
        Api::destroy(&held);
        return status;
    });
    EXPECT_EQ(Api::destruct(&source), 0);
}

}  // namespace
