// The type checks: they exist for the compiler's benefit and do nothing.
#include "cclp_score/cclp_type_checks.h"

#define CCLP_DEFINE_TYPE_CHECKS_(T)                                       \
    void csys_typeCheck_##T(const T*) {}                                  \
    void csys_typeCheckPtr_##T(T* const*) {}                              \
    void csys_typeCheckFunc_##T(int32_t (*)(T*)) {}                       \
    void csys_typeCheckFuncPtr_##T(int32_t (*)(T**)) {}                   \
    void csys_typeCheckFuncStatus_##T(int32_t (*)(T*, const T*)) {}       \
    void csys_typeCheckFuncStatusPtr_##T(int32_t (*)(T**, const T*)) {}   \
    void csys_typeCheck_##T##_##T##__unused__(void) {                     \
        csys_typeCheck_##T(nullptr);                                      \
        csys_typeCheckPtr_##T(nullptr);                                   \
        csys_typeCheckFunc_##T(nullptr);                                  \
        csys_typeCheckFuncPtr_##T(nullptr);                               \
        csys_typeCheckFuncStatus_##T(nullptr);                            \
        csys_typeCheckFuncStatusPtr_##T(nullptr);                         \
    }

extern "C" {
CSYS_TYPE_CHECK_TYPES(CCLP_DEFINE_TYPE_CHECKS_)
}
