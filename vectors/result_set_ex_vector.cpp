// Conversion of a whole vector of caliper result sets to extended form,
// every projection brought to the largest projection scale among them.
#include <algorithm>

#include "cclp_score/cclp_vectors.h"
#include "frame/check.hpp"
#include "results/result_set_ex.hpp"

namespace cclp {
namespace {

// Scales compare as signed 32-bit values; a set of scales above INT32_MAX
// (negative so compared) never becomes the target.
uint32_t largestProjectionScale(const cclp_resultSet* sets, int32_t count) {
    int32_t largest = 0;
    for (int32_t i = 0; i < count; ++i) {
        largest = std::max(largest, static_cast<int32_t>(sets[i].projectionScale));
    }
    return static_cast<uint32_t>(largest);
}

int32_t assignToExAtCommonScale(cstd_vector_cclp_resultSetEx* vector, const cstd_vector* source) {
    const cclp_resultSet* sources = nullptr;
    int32_t count = 0;
    CCLP_RETURN_IF_FAILED(cstd_vector_cclp_resultSet_getBeginSizeConst(source, &sources, &count));
    CCLP_RETURN_IF_FAILED(cstd_vector_cclp_resultSetEx_resize(vector, count));
    cclp_resultSetEx* targets = nullptr;
    CCLP_RETURN_IF_FAILED(cstd_vector_cclp_resultSetEx_getBegin(vector, &targets));
    const uint32_t scale = largestProjectionScale(sources, count);
    for (int32_t i = 0; i < count; ++i) {
        CCLP_RETURN_IF_FAILED(assignToExScaled(targets[i], scale, sources[i]));
    }
    return CCLP_STATUS_OK;
}

}  // namespace
}  // namespace cclp

extern "C" int32_t cstd_vector_cclp_resultSetEx_assignToEx(cstd_vector_cclp_resultSetEx* vector,
                                                           const cstd_vector* source) {
    return cclp::assignToExAtCommonScale(vector, source);
}
