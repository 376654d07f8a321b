// The four shareable vector families: type names, queries by name, the
// construction from a typed vector that leaves none behind, forwarding to
// the runtime's shareable base, and new/newClone/delete.
#include <gtest/gtest.h>

#include <cstring>
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

TYPED_TEST(ShareableVector, GetTypenameGivesTheFamilysName) {
    using Api = ShareableApi<TypeParam>;
    const char* name = nullptr;
    ASSERT_EQ(Api::getTypename(nullptr, &name), 0);
    EXPECT_STREQ(name, Api::typeName);
    const char* const expected =
        std::is_same_v<TypeParam, cclp_score>            ? "cstd_vector_cclp_scoreShareable"
        : std::is_same_v<TypeParam, cclp_scoreParams>    ? "cstd_vector_cclp_scoreParamsShareable"
        : std::is_same_v<TypeParam, cclp_scoreResultSet> ? "cstd_vector_cclp_scoreResultSetShareable"
                                                         : "cstd_vector_cclp_resultSetExShareable";
    EXPECT_STREQ(name, expected);
}

TYPED_TEST(ShareableVector, AnswersItsOwnNameExactlyAndPassesOthersToTheBase) {
    using Api = ShareableApi<TypeParam>;
    typename Api::Shareable shareable;
    ASSERT_EQ(Api::constructEmpty(&shareable), 0);
    for (const auto query : {Api::queryInterfaceByTypename, Api::queryInterfaceByTypename_,
                             Api::queryInterfaceByTypenameFinal}) {
        void* object = nullptr;
        ASSERT_EQ(query(&shareable, Api::typeName, &object), 0);
        EXPECT_EQ(object, &shareable);

        std::string lowered = Api::typeName;
        lowered[lowered.find("Shareable")] = 's';
        object = &shareable;
        ASSERT_EQ(query(&shareable, lowered.c_str(), &object), 0);
        EXPECT_EQ(object, nullptr) << "names compare case-sensitively";

        const char* other = std::is_same_v<TypeParam, cclp_scoreParams>
                                ? CSTD_VECTOR_CCLP_TYPENAME(score)
                                : CSTD_VECTOR_CCLP_TYPENAME(scoreParams);
        ASSERT_EQ(query(&shareable, other, &object), 0);
        EXPECT_EQ(object, nullptr) << "another family's name goes to the base, which knows it not";

        ASSERT_EQ(query(&shareable, CSTD_VECTOR_TYPENAME, &object), 0);
        EXPECT_EQ(object, &shareable.base.vector) << "the base answers for its own names";

        object = &shareable;
        ASSERT_EQ(query(nullptr, Api::typeName, &object), 0);
        EXPECT_EQ(object, nullptr);
        AssertionCounter assertions;
        EXPECT_EQ(query(&shareable, nullptr, &object), CSYS_STATUS_NULL_ARGUMENT);
        EXPECT_EQ(query(&shareable, Api::typeName, nullptr), CSYS_STATUS_NULL_ARGUMENT);
        EXPECT_EQ(assertions.count(), 2);
    }
    EXPECT_EQ(Api::destruct(&shareable), 0);
}

TYPED_TEST(ShareableVector, ConstructionLeavesNoTypedVectorBehind) {
    using Api = ShareableApi<TypeParam>;
    using Shareable = typename Api::Shareable;
    {
        LeakCheck leaks;
        Shareable shareable;
        ASSERT_EQ(Api::constructEmpty(&shareable), 0);
        EXPECT_EQ(this->sizeOf(shareable), 0);
        EXPECT_EQ(Api::destruct(&shareable), 0);
        AssertionCounter assertions;
        EXPECT_EQ(Api::constructEmpty(nullptr), CSYS_STATUS_NULL_ARGUMENT);
        EXPECT_EQ(Api::construct(nullptr, 2), CSYS_STATUS_NULL_ARGUMENT)
            << "the local typed vector is destructed when the base fails";
        EXPECT_GE(assertions.count(), 2);
    }
    const int32_t points = sweepAllocationFailures([](int32_t k) {
        Shareable shareable;
        int32_t status = 0;
        {
            FailAllocation fail(k);
            status = Api::construct(&shareable, 2);
        }
        if (status >= 0) {
            EXPECT_EQ(TestFixture::sizeOf(shareable), 2);
            const TypeParam* begin = nullptr;
            const TypeParam* end = nullptr;
            EXPECT_EQ(Api::getBeginEndConst(&shareable, &begin, &end), 0);
            for (const TypeParam* element = begin; element < end; ++element) {
                EXPECT_TRUE(Element<TypeParam>::isFresh(*element));
            }
        }
        EXPECT_EQ(Api::destruct(&shareable), 0);
        return status;
    });
    EXPECT_GE(points, 2) << "the typed vector and the shareable copy each allocate";
}

TYPED_TEST(ShareableVector, ForwardsToTheBase) {
    using Api = ShareableApi<TypeParam>;
    using Typed = VectorApi<TypeParam>;
    using Shareable = typename Api::Shareable;
    LeakCheck leaks;
    typename Typed::Vector typed;
    ASSERT_EQ(Typed::construct(&typed, 2), 0);
    TypeParam* element = nullptr;
    ASSERT_EQ(Typed::getElement(&typed, 1, &element), 0);
    Element<TypeParam>::fill(*element, 4);

    Shareable shareable;
    ASSERT_EQ(Api::constructVector(&shareable, &typed), 0);
    ASSERT_EQ(Api::pushBack(&shareable, element), 0);
    TypeParam* begin = nullptr;
    int32_t size = 0;
    ASSERT_EQ(Api::getBeginSize(&shareable, &begin, &size), 0);
    ASSERT_EQ(size, 3);
    EXPECT_NE(begin + 1, element) << "the shareable vector holds copies";
    EXPECT_EQ(Element<TypeParam>::key(begin[2]), 4);
    intptr_t elementSize = 0;
    ASSERT_EQ(Api::getElementSize(&shareable, &elementSize), 0);
    EXPECT_EQ(elementSize, static_cast<intptr_t>(sizeof(TypeParam)));

    Shareable copy;
    ASSERT_EQ(Api::constructCopy(&copy, &shareable), 0);
    ASSERT_EQ(Api::reserve(&copy, 10), 0);
    intptr_t capacity = 0;
    ASSERT_EQ(Api::getCapacity(&copy, &capacity), 0);
    EXPECT_EQ(capacity, 10);
    ASSERT_EQ(Api::assignVector(&copy, &typed), 0);
    EXPECT_EQ(this->sizeOf(copy), 2);
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

// Every way of reaching the elements gives the same storage and count.
TYPED_TEST(ShareableVector, ElementAccessorsAgree) {
    using Api = ShareableApi<TypeParam>;
    LeakCheck leaks;
    typename Api::Shareable shareable;
    ASSERT_EQ(Api::construct(&shareable, 3), 0);
    TypeParam* begin = nullptr;
    TypeParam* end = nullptr;
    ASSERT_EQ(Api::getBeginEnd(&shareable, &begin, &end), 0);
    ASSERT_EQ(end - begin, 3);
    const TypeParam* constBegin = nullptr;
    int32_t size = 0;
    ASSERT_EQ(Api::getBeginSizeConst(&shareable, &constBegin, &size), 0);
    EXPECT_EQ(constBegin, begin);
    EXPECT_EQ(size, 3);
    TypeParam* mutableBegin = nullptr;
    ASSERT_EQ(Api::getBeginSize(&shareable, &mutableBegin, &size), 0);
    EXPECT_EQ(mutableBegin, begin);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(Api::destruct(&shareable), 0);
}

TYPED_TEST(ShareableVector, NewCloneAndDelete) {
    using Api = ShareableApi<TypeParam>;
    using Shareable = typename Api::Shareable;
    LeakCheck leaks;
    Shareable source;
    ASSERT_EQ(Api::construct(&source, 2), 0);
    Shareable* held = nullptr;
    ASSERT_EQ(Api::create(&held), 0);
    EXPECT_EQ(this->sizeOf(*held), 0);
    ASSERT_EQ(Api::newClone(&held, &source), 0);
    EXPECT_EQ(this->sizeOf(*held), 2);
    void* object = nullptr;
    ASSERT_EQ(Api::queryInterfaceByTypename(held, Api::typeName, &object), 0);
    EXPECT_EQ(object, held) << "a clone carries the family's method table";
    ASSERT_EQ(Api::newClone(&held, nullptr), 0);
    EXPECT_EQ(held, nullptr);
    ASSERT_EQ(Api::destroy(&held), 0);
    sweepAllocationFailures([&](int32_t k) {
        Shareable* clone = nullptr;
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
    EXPECT_EQ(Api::destruct(&source), 0);
}

}  // namespace
