// Precondition checks of the runtime's own operations: a null pointer is
// reported with its source line and the operation returns at once.
#pragma once

#include <cstdint>

#include "csys_runtime.h"

#define CSYS_REQUIRE_NONNULL(...)                                 \
    do {                                                          \
        if (!::csys::allNonNull(__VA_ARGS__)) {                   \
            cstd_assert_(static_cast<int32_t>(__LINE__));         \
            return CSYS_STATUS_NULL_ARGUMENT;                     \
        }                                                         \
    } while (0)

#define CSYS_RETURN_IF_FAILED(expression)         \
    do {                                          \
        const int32_t csysStatus_ = (expression); \
        if (csysStatus_ < 0) return csysStatus_;  \
    } while (0)

namespace csys {

template <class... Pointers>
constexpr bool allNonNull(const Pointers*... pointers) {
    return ((pointers != nullptr) && ...);
}

// Clears every output that the caller handed in, so that a failure never
// leaves a stale value behind.
template <class... Outputs>
void clearOutputs(Outputs*... outputs) {
    ((outputs != nullptr ? void(*outputs = {}) : void()), ...);
}

}  // namespace csys
