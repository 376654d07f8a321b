// The exported entry points of the projection and the edge search, and the
// profile record they fill.
#include <algorithm>
#include <cmath>
#include <vector>

#include "cclp_scoring_function.h"
#include "cedge/cedge.h"
#include "edge_detection.hpp"
#include "projection.hpp"
#include "runtime_arrays.hpp"

namespace cedge {

namespace {

constexpr uint32_t kKnownFlags = CEDGE_CLIP_TO_IMAGE;
constexpr uint32_t kKnownFormats = CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED;

int32_t checkParams(const cedge_params& params) {
    if (!(params.sigma >= CEDGE_SIGMA_MIN && params.sigma <= CEDGE_SIGMA_MAX)) {
        return CEDGE_STATUS_SIGMA_NOT_VALID;
    }
    if (!(params.minContrast >= 0.0) || !std::isfinite(params.minContrast)) {
        return CEDGE_STATUS_MIN_CONTRAST_NOT_VALID;
    }
    if (params.polarity < cedge_polarityAny || params.polarity > cedge_polarityNegative) {
        return CEDGE_STATUS_POLARITY_NOT_VALID;
    }
    if ((params.flags & ~kKnownFlags) != 0) return CEDGE_STATUS_FLAGS_NOT_VALID;
    if (params.formats == 0 || (params.formats & ~kKnownFormats) != 0) {
        return CEDGE_STATUS_FORMATS_NOT_VALID;
    }
    return CEDGE_STATUS_OK;
}

int32_t projectChecked(const cedge_image& image, const cedge_caliper& caliper, uint32_t flags,
                       Projection& projection) {
    int32_t status = checkImage(image);
    if (status == CEDGE_STATUS_OK) status = checkCaliper(caliper);
    if (status == CEDGE_STATUS_OK && (flags & ~kKnownFlags) != 0) {
        status = CEDGE_STATUS_FLAGS_NOT_VALID;
    }
    if (status != CEDGE_STATUS_OK) return status;
    return project(image, gridOf(caliper), (flags & CEDGE_CLIP_TO_IMAGE) != 0, projection);
}

int32_t copyToRuntime(const std::vector<double>& values, RuntimeArray<double>& array) {
    const int32_t status = array.allocate(values.size());
    if (status >= 0) std::copy(values.begin(), values.end(), array.get());
    return status;
}

// Replaces the profile's arrays; derivative may be null (not computed).
int32_t fillProfile(const Projection& projection, const std::vector<double>* derivative,
                    double firstPosition, cedge_profile& profile) {
    RuntimeArray<double> values;
    RuntimeArray<double> slopes;
    int32_t status = copyToRuntime(projection.values, values);
    if (status >= 0 && derivative != nullptr) status = copyToRuntime(*derivative, slopes);
    if (status < 0) return status;
    cedge_profile_destruct(&profile);
    profile.count = static_cast<int32_t>(projection.values.size());
    profile.validFirst = projection.validFirst;
    profile.validCount = projection.validCount;
    profile.firstPosition = firstPosition;
    profile.values = values.release();
    profile.derivative = slopes.release();
    return CEDGE_STATUS_OK;
}

// Replaces the result set's edge arrays with the found edges, positions
// relative to the caliper's centre, in the formats asked for.
int32_t fillResultSet(const std::vector<FoundEdge>& found, double firstPosition,
                      uint32_t formats, cclp_resultSet& set) {
    RuntimeArray<cclp_edge> doubles;
    RuntimeArray<cclp_edgeFixed> fixed;
    int32_t status = CEDGE_STATUS_OK;
    if ((formats & CCLP_FORMAT_DOUBLE) != 0) status = doubles.allocate(found.size());
    if (status >= 0 && (formats & CCLP_FORMAT_FIXED) != 0) status = fixed.allocate(found.size());
    if (status < 0) return status;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const double position = firstPosition + found[i].position;
        if (doubles.get() != nullptr) doubles[i] = {position, found[i].contrast};
        if (fixed.get() != nullptr) {
            fixed[i] = {cclp_round256(position), cclp_round256(found[i].contrast)};
        }
    }
    freeRuntimeArray(set.edges);
    freeRuntimeArray(set.edgesFixed);
    set.edges = doubles.release();
    set.edgesFixed = fixed.release();
    set.numEdges = static_cast<int32_t>(found.size());
    set.formats = formats;
    return CEDGE_STATUS_OK;
}

int32_t findEdges(const cedge_image& image, const cedge_caliper& caliper,
                  const cedge_params& params, cclp_resultSet& edges, cedge_profile* profile) {
    int32_t status = checkParams(params);
    Projection projection;
    if (status == CEDGE_STATUS_OK) status = projectChecked(image, caliper, params.flags, projection);
    if (status != CEDGE_STATUS_OK) return status;
    const std::vector<double> derivative = gaussianDerivative(
        projection.values, projection.validFirst, projection.validCount, params.sigma);
    const std::vector<FoundEdge> found =
        findExtrema(derivative, projection.validFirst, projection.validCount, params.minContrast,
                    params.polarity);
    const double firstPosition = -gridOf(caliper).halfAlong;
    // The profile first: it can fail without touching the result set, and
    // the result set's replacement cannot fail once its arrays exist.
    cedge_profile fresh;
    cedge_profile_construct(&fresh);
    if (profile != nullptr) status = fillProfile(projection, &derivative, firstPosition, fresh);
    if (status == CEDGE_STATUS_OK) status = fillResultSet(found, firstPosition, params.formats, edges);
    if (status == CEDGE_STATUS_OK && profile != nullptr) std::swap(*profile, fresh);
    cedge_profile_destruct(&fresh);
    return status;
}

}  // namespace

}  // namespace cedge

extern "C" {

int32_t cedge_params_init(cedge_params* params) {
    if (params == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    *params = cedge_params{1.0, 5.0, cedge_polarityAny, 0u, CCLP_FORMAT_DOUBLE};
    return CEDGE_STATUS_OK;
}

int32_t cedge_profile_construct(cedge_profile* profile) {
    if (profile == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    *profile = cedge_profile{0, 0, 0, 0, 0.0, nullptr, nullptr};
    return CEDGE_STATUS_OK;
}

int32_t cedge_profile_destruct(cedge_profile* profile) {
    if (profile == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    cedge::freeRuntimeArray(profile->values);
    cedge::freeRuntimeArray(profile->derivative);
    return cedge_profile_construct(profile);
}

int32_t cedge_project(const cedge_image* image, const cedge_caliper* caliper, uint32_t flags,
                      cedge_profile* profile) {
    if (image == nullptr || caliper == nullptr || profile == nullptr) {
        return CSYS_STATUS_NULL_ARGUMENT;
    }
    return cedge::statusOf([&] {
        cedge::Projection projection;
        const int32_t status = cedge::projectChecked(*image, *caliper, flags, projection);
        if (status != CEDGE_STATUS_OK) return status;
        return cedge::fillProfile(projection, nullptr, -cedge::gridOf(*caliper).halfAlong,
                                  *profile);
    });
}

int32_t cedge_findEdges(const cedge_image* image, const cedge_caliper* caliper,
                        const cedge_params* params, cclp_resultSet* edges,
                        cedge_profile* profile) {
    if (image == nullptr || caliper == nullptr || params == nullptr || edges == nullptr) {
        return CSYS_STATUS_NULL_ARGUMENT;
    }
    return cedge::statusOf(
        [&] { return cedge::findEdges(*image, *caliper, *params, *edges, profile); });
}

}  // extern "C"
