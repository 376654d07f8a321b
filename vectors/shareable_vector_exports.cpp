// The exported members of the four shareable vector families, stamped out
// from the member table of cclp_vectors.h; each forwards to ShareableVector.
#include "vectors/shareable_vector.hpp"

#define CCLP_DEFINE_SHAREABLE_MEMBER_(family, member, parameters, arguments) \
    int32_t cstd_vector_cclp_##family##Shareable_##member parameters {       \
        return cclp::ShareableVector<cclp_##family>::member arguments;       \
    }

#define CCLP_DEFINE_SHAREABLE_FAMILY_(family)                                                     \
    CSTD_VECTOR_CCLP_SHAREABLE_MEMBERS(CCLP_DEFINE_SHAREABLE_MEMBER_, family,                     \
                                       cstd_vector_cclp_##family##Shareable,                      \
                                       cstd_vector_cclp_##family, cclp_##family)                  \
    int32_t cstd_vector_cclp_##family##Shareable_new(                                            \
        cstd_vector_cclp_##family##Shareable** shareable) {                                       \
        return cclp::ShareableVector<cclp_##family>::Lifecycle::create(shareable);                \
    }                                                                                             \
    int32_t cstd_vector_cclp_##family##Shareable_delete(                                         \
        cstd_vector_cclp_##family##Shareable** shareable) {                                       \
        return cclp::ShareableVector<cclp_##family>::Lifecycle::destroy(shareable);               \
    }

extern "C" {
CSTD_VECTOR_CCLP_FAMILIES(CCLP_DEFINE_SHAREABLE_FAMILY_)
}
