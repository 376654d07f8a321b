// The type checks as overloads: at every registration of an object with its
// destruct on a cleanup frame, typeCheck(object) and typeCheckFunc(destruct)
// make the compiler confirm that both belong to one of the checked types.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_type_checks.h"

namespace cclp {

#define CCLP_TYPE_CHECK_OVERLOADS_(T)                                                   \
    inline void typeCheck(const T* object) { csys_typeCheck_##T(object); }              \
    inline void typeCheckFunc(int32_t (*function)(T*)) { csys_typeCheckFunc_##T(function); }
CSYS_TYPE_CHECK_TYPES(CCLP_TYPE_CHECK_OVERLOADS_)
#undef CCLP_TYPE_CHECK_OVERLOADS_

}  // namespace cclp
