// The type checks do nothing with any argument, null included.
#include <gtest/gtest.h>

#include "cclp_score/cclp_type_checks.h"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

TEST(TypeChecks, DoNothingWithAnyArgument) {
    LeakCheck leaks;
    AssertionCounter assertions;
#define CCLP_TEST_TYPE_CHECKS_(T)               \
    {                                           \
        T value{};                              \
        csys_typeCheck_##T(&value);             \
        csys_typeCheck_##T##_##T##__unused__(); \
    }
    CSYS_TYPE_CHECK_TYPES(CCLP_TEST_TYPE_CHECKS_)
#undef CCLP_TEST_TYPE_CHECKS_
    EXPECT_EQ(assertions.count(), 0);
}
