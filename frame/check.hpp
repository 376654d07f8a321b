// Precondition checks. A failed check is reported to the runtime with the
// source line. CCLP_ASSERT goes on afterwards; CCLP_REQUIRE_NONNULL returns
// early where going on would dereference a null pointer.
#pragma once

#include <cstdint>

#include "csys_runtime.h"

#define CCLP_ASSERT(condition)                                          \
    do {                                                                \
        if (!(condition)) cstd_assert_(static_cast<int32_t>(__LINE__)); \
    } while (0)

// Reports and returns CSYS_STATUS_NULL_ARGUMENT from the calling function
// when any of the pointers is null.
#define CCLP_REQUIRE_NONNULL(...)                                         \
    do {                                                                  \
        if (!::cclp::allNonNull(__VA_ARGS__)) {                           \
            cstd_assert_(static_cast<int32_t>(__LINE__));                 \
            return CSYS_STATUS_NULL_ARGUMENT;                             \
        }                                                                 \
    } while (0)

// Returns a negative status from the calling function at once.
#define CCLP_RETURN_IF_FAILED(expression)            \
    do {                                             \
        const int32_t cclpStatus_ = (expression);    \
        if (cclpStatus_ < 0) return cclpStatus_;     \
    } while (0)

namespace cclp {

template <class... Pointers>
constexpr bool allNonNull(const Pointers*... pointers) {
    return ((pointers != nullptr) && ...);
}

}  // namespace cclp
