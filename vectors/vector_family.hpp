// What distinguishes the four vector families: the element type, the typed
// and shareable vector types, the shareable type name, the element
// operations, and the exported typed destruct (which the shareable
// constructions register on their cleanup frames).
#pragma once

#include <type_traits>

#include "cclp_score/cclp_vectors.h"
#include "cstd_vector.h"

namespace cclp {

template <class Element>
struct VectorFamily;

#define CCLP_VECTOR_FAMILY_(family)                                              \
    template <>                                                                  \
    struct VectorFamily<cclp_##family> {                                         \
        using Vector = cstd_vector_cclp_##family;                                \
        using Shareable = cstd_vector_cclp_##family##Shareable;                  \
        static constexpr char typeName[] = CSTD_VECTOR_CCLP_TYPENAME(family);    \
        static const cstd_vectorElementOps elementOps;                           \
        static constexpr auto destruct = &cstd_vector_cclp_##family##_destruct;  \
        /* A family's vectors are the runtime's records and nothing else. */     \
        static_assert(std::is_standard_layout_v<Vector> &&                       \
                      sizeof(Vector) == sizeof(cstd_vector));                    \
        static_assert(std::is_standard_layout_v<Shareable> &&                    \
                      sizeof(Shareable) == sizeof(cstd_vectorShareable));        \
    };
CSTD_VECTOR_CCLP_FAMILIES(CCLP_VECTOR_FAMILY_)
#undef CCLP_VECTOR_FAMILY_

// The runtime record inside a family's vector, or null for a null vector.
template <class Wrapper>
auto* baseOf(Wrapper* wrapper) {
    return wrapper == nullptr ? nullptr : &wrapper->base;
}

}  // namespace cclp
