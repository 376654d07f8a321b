// Assertion reports are counted; they are printed only when CCLP_ASSERT_LOG is
// set, so that tests that provoke them on purpose stay quiet.
#include <cstdio>
#include <cstdlib>

#include "csys_runtime.h"
#include "testing_state.hpp"

extern "C" void cstd_assert_(int32_t line) {
    csys::testing::assertionReported(line);
    if (std::getenv("CCLP_ASSERT_LOG") != nullptr) {
        std::fprintf(stderr, "assertion failed at line %d\n", static_cast<int>(line));
    }
}
