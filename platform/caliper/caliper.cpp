// The caliper result set as the caliper library lays it out, its life cycle
// and the read access to a vector of them.
#include <cstddef>
#include <cstdint>

#include "cclp_caliper.h"

#define CALIPER_CHECK_OFFSET(field, offset) \
    static_assert(offsetof(cclp_resultSet, field) == (offset), "cclp_resultSet." #field)

static_assert(sizeof(cclp_resultSet) == 216, "cclp_resultSet is 216 bytes");
CALIPER_CHECK_OFFSET(numEdges, 0);
CALIPER_CHECK_OFFSET(formats, 4);
CALIPER_CHECK_OFFSET(edges, 8);
CALIPER_CHECK_OFFSET(edgesFixed, 16);
CALIPER_CHECK_OFFSET(reserved0, 24);
CALIPER_CHECK_OFFSET(reserved1, 32);
CALIPER_CHECK_OFFSET(projectionScale, 40);
CALIPER_CHECK_OFFSET(projectionScaling, 44);
CALIPER_CHECK_OFFSET(projectionImage, 48);
CALIPER_CHECK_OFFSET(auxValue, 112);
CALIPER_CHECK_OFFSET(reserved2, 116);
CALIPER_CHECK_OFFSET(doubleImage, 120);
CALIPER_CHECK_OFFSET(vect0, 184);
CALIPER_CHECK_OFFSET(vect1, 200);
static_assert(sizeof(cclp_edge) == 16 && sizeof(cclp_edgeFixed) == 8, "edge records");

namespace {

template <class T>
int32_t release(T*& array) {
    void* block = array;
    const int32_t status = csys_memory_free_internal(&block);
    array = static_cast<T*>(block);
    return status;
}

}  // namespace

extern "C" {

int32_t cclp_resultSet_construct(cclp_resultSet* set) {
    if (set == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    *set = cclp_resultSet{};
    int32_t status = cmath_vect_init(&set->vect0, 0.0, 0.0);
    if (status >= 0) status = cmath_vect_init(&set->vect1, 0.0, 0.0);
    if (status >= 0) status = cimg_image32_constructUnbound(&set->projectionImage);
    if (status < 0) return status;
    status = cimg_imageD_constructUnbound(&set->doubleImage);
    if (status < 0) cimg_image_destruct(&set->projectionImage);
    return status;
}

int32_t cclp_resultSet_destruct(cclp_resultSet* set) {
    if (set == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    set->numEdges = 0;
    int32_t status = release(set->edges);
    if (status >= 0) status = release(set->edgesFixed);
    if (status >= 0) status = cimg_image_destruct(&set->projectionImage);
    if (status >= 0) status = cimg_image_destruct(&set->doubleImage);
    return status;
}

int32_t cstd_vector_cclp_resultSet_getBeginSizeConst(const cstd_vector* vector,
                                                     const cclp_resultSet** begin,
                                                     int32_t* size) {
    if (vector == nullptr || begin == nullptr || size == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    const bool elementsFit = vector->elementSize == static_cast<intptr_t>(sizeof(cclp_resultSet));
    if (!elementsFit || vector->size < 0 || vector->size > INT32_MAX) {
        return CSYS_STATUS_INVALID_ARGUMENT;
    }
    *begin = static_cast<const cclp_resultSet*>(vector->begin);
    *size = static_cast<int32_t>(vector->size);
    return CSYS_STATUS_OK;
}

}  // extern "C"
