// The type checks do nothing with any argument, null included.
#include <gtest/gtest.h>

#include "cclp_score/cclp_type_checks.h"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

template <class T>
int32_t anyOperation(T*) {
    return -1;
}

}  // namespace

TEST(TypeChecks, DoNothingWithAnyArgument) {
    LeakCheck leaks;
    AssertionCounter assertions;
#define CCLP_TEST_TYPE_CHECKS_(T)                 \
    {                                             \
        T value{};                                \
        T* object = nullptr;                      \
        csys_typeCheck_##T(nullptr);              \
        csys_typeCheck_##T(&value);               \
        csys_typeCheckPtr_##T(&object);           \
        csys_typeCheckFunc_##T(&anyOperation<T>); \
        csys_typeCheckFuncPtr_##T(nullptr);       \
        csys_typeCheckFuncStatus_##T(nullptr);    \
        csys_typeCheckFuncStatusPtr_##T(nullptr); \
        csys_typeCheck_##T##_##T##__unused__();   \
        EXPECT_EQ(object, nullptr);               \
    }
    CSYS_TYPE_CHECK_TYPES(CCLP_TEST_TYPE_CHECKS_)
#undef CCLP_TEST_TYPE_CHECKS_
    EXPECT_EQ(assertions.count(), 0);
}
