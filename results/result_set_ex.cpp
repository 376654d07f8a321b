// The extended caliper result set: life cycle, and the conversions to and
// from the caliper library's result set. Assignment and both conversions are
// one copy over the two record types.
#include "results/result_set_ex.hpp"

#include "frame/check.hpp"
#include "cip_pixel.h"
#include "frame/cleanup_frame.hpp"
#include "frame/owned_memory.hpp"

namespace cclp {
namespace {

int32_t copyPixels(const cimg_image32& source, cimg_image32& destination) {
    return cip_pelAssignCopyEntire32(&source, &destination);
}

int32_t copyPixels(const cimg_imageD& source, cimg_imageD& destination) {
    return cip_pelAssignCopyEntireD(&source, &destination);
}

// Multiplies the projection's first row by `scale`; unsigned arithmetic keeps
// the low 32 bits of each product.
int32_t rescaleFirstRow(cimg_image32& projection, uint32_t scale) {
    cimg_window window{};
    CCLP_RETURN_IF_FAILED(cimg_window_init(&window, &projection));
    if (window.firstPixel == nullptr) return CSYS_STATUS_OK;
    for (int32_t i = 0; i < window.width; ++i) window.firstPixel[i] *= scale;
    return CSYS_STATUS_OK;
}

// Assignment and both conversions. The counts and flags are cleared first
// and written last, so a failure part way leaves a destructible record that
// claims no edges. Callers that must not rescale pass the source's own scale.
template <class Destination, class Source>
int32_t copyResultSet(Destination& destination, uint32_t targetScale, const Source& source) {
    destination.numEdges = 0;
    destination.formats = 0;
    destination.projectionScaling = 0;
    destination.auxValue = 0;
    destination.vect0 = source.vect0;
    destination.vect1 = source.vect1;
    destination.projectionScale = targetScale;
    CCLP_RETURN_IF_FAILED(copyArray(destination.edges, source.numEdges, source.edges));
    CCLP_RETURN_IF_FAILED(copyArray(destination.edgesFixed, source.numEdges, source.edgesFixed));
    CCLP_RETURN_IF_FAILED(copyPixels(source.projectionImage, destination.projectionImage));
    if (source.projectionScaling != 0 && source.projectionScale != targetScale) {
        // Only an unscaled projection is expected to be brought to a new scale.
        CCLP_ASSERT(source.projectionScale <= 1u);
        CCLP_RETURN_IF_FAILED(rescaleFirstRow(destination.projectionImage, targetScale));
    }
    CCLP_RETURN_IF_FAILED(copyPixels(source.doubleImage, destination.doubleImage));
    destination.numEdges = source.numEdges;
    destination.formats = source.formats;
    destination.projectionScaling = source.projectionScaling;
    destination.auxValue = source.auxValue;
    return CSYS_STATUS_OK;
}

int32_t releaseEdges(cclp_resultSetEx& set) {
    set.numEdges = 0;
    CCLP_RETURN_IF_FAILED(releaseArray(set.edges));
    return releaseArray(set.edgesFixed);
}

int32_t construct(cclp_resultSetEx* set) {
    CCLP_REQUIRE_NONNULL(set);
    CleanupFrame<2> frame;
    *set = cclp_resultSetEx{};
    int32_t status = cmath_vect_init(&set->vect0, 0.0, 0.0);
    if (status >= 0) status = cmath_vect_init(&set->vect1, 0.0, 0.0);
    if (status >= 0) status = cimg_image32_constructUnbound(&set->projectionImage);
    if (status < 0) return frame.close(status);
    frame.destructOnFailure(static_cast<void*>(&set->projectionImage), cimg_image_destruct);
    status = cimg_imageD_constructUnbound(&set->doubleImage);
    if (status < 0) return frame.close(status);
    frame.destructOnFailure(static_cast<void*>(&set->doubleImage), cimg_image_destruct);
    return frame.close(CSYS_STATUS_OK);
}

int32_t assign(cclp_resultSetEx* set, const cclp_resultSetEx* source) {
    CCLP_REQUIRE_NONNULL(set, source);
    if (set == source) return CSYS_STATUS_OK;
    return copyResultSet(*set, source->projectionScale, *source);
}

int32_t reset(cclp_resultSetEx* set) {
    CCLP_REQUIRE_NONNULL(set);
    CCLP_RETURN_IF_FAILED(releaseEdges(*set));
    CCLP_RETURN_IF_FAILED(cimg_image32_assignUnbound(&set->projectionImage));
    return cimg_imageD_assignUnbound(&set->doubleImage);
}

int32_t destruct(cclp_resultSetEx* set) {
    CCLP_REQUIRE_NONNULL(set);
    CCLP_RETURN_IF_FAILED(releaseEdges(*set));
    CCLP_RETURN_IF_FAILED(cimg_image_destruct(&set->projectionImage));
    return cimg_image_destruct(&set->doubleImage);
}

int32_t assignToEx(cclp_resultSetEx* set, const cclp_resultSet* source) {
    CCLP_REQUIRE_NONNULL(set, source);
    return assignToExScaled(*set, source->projectionScale, *source);
}

int32_t assignFromEx(cclp_resultSet* set, const cclp_resultSetEx* source) {
    CCLP_REQUIRE_NONNULL(set, source);
    return copyResultSet(*set, source->projectionScale, *source);
}

}  // namespace

int32_t assignToExScaled(cclp_resultSetEx& destination, uint32_t targetScale,
                         const cclp_resultSet& source) {
    return copyResultSet(destination, targetScale, source);
}

}  // namespace cclp

extern "C" {

int32_t cclp_resultSetEx_construct(cclp_resultSetEx* set) { return cclp::construct(set); }

int32_t cclp_resultSetEx_constructCopy(cclp_resultSetEx* set, const cclp_resultSetEx* source) {
    return cclp::constructAndAssign(set, source, cclp_resultSetEx_construct,
                                    cclp_resultSetEx_destruct, cclp_resultSetEx_assign);
}

int32_t cclp_resultSetEx_assign(cclp_resultSetEx* set, const cclp_resultSetEx* source) {
    return cclp::assign(set, source);
}

int32_t cclp_resultSetEx_reset(cclp_resultSetEx* set) { return cclp::reset(set); }

int32_t cclp_resultSetEx_destruct(cclp_resultSetEx* set) { return cclp::destruct(set); }

int32_t cclp_resultSetEx_assignToEx(cclp_resultSetEx* set, const cclp_resultSet* source) {
    return cclp::assignToEx(set, source);
}

int32_t cclp_resultSetEx_assignFromEx(cclp_resultSet* set, const cclp_resultSetEx* source) {
    return cclp::assignFromEx(set, source);
}

}  // extern "C"
