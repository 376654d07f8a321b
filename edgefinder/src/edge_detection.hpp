// From a profile to edges: the Gaussian-derivative filter and the sub-pixel
// extrema of its output.
#ifndef CEDGE_EDGE_DETECTION_HPP
#define CEDGE_EDGE_DETECTION_HPP

#include <cstdint>
#include <vector>

namespace cedge {

struct FoundEdge {
    double position;  // in profile samples, from sample 0
    double contrast;  // gray levels per pixel
};

// The derivative of values[first, first + count) smoothed by a Gaussian of
// the given sigma, scaled so that a ramp of slope s gives s; the profile is
// extended by its end values. Entries outside the range are 0.
std::vector<double> gaussianDerivative(const std::vector<double>& values, int32_t first,
                                       int32_t count, double sigma);

// The local extrema of derivative[first, first + count) whose parabola peak
// reaches minContrast in magnitude and whose sign the polarity filter keeps,
// ascending.
std::vector<FoundEdge> findExtrema(const std::vector<double>& derivative, int32_t first,
                                   int32_t count, double minContrast, int32_t polarity);

}  // namespace cedge

#endif
