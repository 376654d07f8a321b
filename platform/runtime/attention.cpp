#include "csys_runtime.h"
#include "testing_state.hpp"

extern "C" int32_t csys_attention_check(void) {
    return csys::testing::shouldFailAttention() ? CSYS_STATUS_ATTENTION : CSYS_STATUS_OK;
}
