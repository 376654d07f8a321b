// The exported members of the four typed vector families, stamped out from
// the member table of cclp_vectors.h; each forwards to TypedVector.
#include "vectors/typed_vector.hpp"

#define CCLP_DEFINE_TYPED_MEMBER_(family, member, parameters, arguments, zeros) \
    int32_t cstd_vector_cclp_##family##_##member parameters {                    \
        return cclp::TypedVector<cclp_##family>::member arguments;               \
    }

#define CCLP_CALL_WITH_ZEROS_(family, member, parameters, arguments, zeros) \
    static_cast<void>(cstd_vector_cclp_##family##_##member zeros);

#define CCLP_DEFINE_TYPED_FAMILY_(family)                                                         \
    CSTD_VECTOR_CCLP_TYPED_MEMBERS(CCLP_DEFINE_TYPED_MEMBER_, family, cstd_vector_cclp_##family,  \
                                   cclp_##family)                                                 \
    int32_t cstd_vector_cclp_##family##_new(cstd_vector_cclp_##family** vector) {                \
        return cclp::TypedVector<cclp_##family>::Lifecycle::create(vector);                       \
    }                                                                                             \
    int32_t cstd_vector_cclp_##family##_delete(cstd_vector_cclp_##family** vector) {             \
        return cclp::TypedVector<cclp_##family>::Lifecycle::destroy(vector);                      \
    }                                                                                             \
    void cstd_vector_cclp_##family##___unused__(void) {                                           \
        CSTD_VECTOR_CCLP_TYPED_MEMBERS(CCLP_CALL_WITH_ZEROS_, family, cstd_vector_cclp_##family,  \
                                       cclp_##family)                                             \
        static_cast<void>(cstd_vector_cclp_##family##_new(0));                                    \
        static_cast<void>(cstd_vector_cclp_##family##_delete(0));                                 \
    }

extern "C" {
CSTD_VECTOR_CCLP_FAMILIES(CCLP_DEFINE_TYPED_FAMILY_)
}
