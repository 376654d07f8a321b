#include "edge_detection.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "cedge/cedge.h"

namespace cedge {

namespace {

// Beyond four sigmas the Gaussian's weight is below 0.04 %.
constexpr double kKernelSigmas = 4.0;

// h(k) = k g(k) / sum_j j^2 g(j): the sum over k of h(k) (p + s k) is s for
// any ramp p + s k, so the filter reports slopes in gray levels per pixel.
std::vector<double> derivativeKernel(double sigma, int32_t radius) {
    std::vector<double> kernel(static_cast<std::size_t>(2 * radius + 1));
    double moment = 0.0;
    for (int32_t k = -radius; k <= radius; ++k) {
        const double weight = k * std::exp(-(k * k) / (2.0 * sigma * sigma));
        kernel[static_cast<std::size_t>(k + radius)] = weight;
        moment += k * weight;
    }
    for (double& weight : kernel) weight /= moment;
    return kernel;
}

std::size_t index(int32_t i) { return static_cast<std::size_t>(i); }

// Offset of a parabola's vertex through (-1, left), (0, centre), (1, right),
// within half a sample of the centre.
double vertexOffset(double left, double centre, double right) {
    const double curvature = left - 2.0 * centre + right;
    if (curvature == 0.0) return 0.0;
    return std::clamp(0.5 * (left - right) / curvature, -0.5, 0.5);
}

bool polarityKeeps(int32_t polarity, double contrast) {
    if (polarity == cedge_polarityPositive) return contrast > 0.0;
    if (polarity == cedge_polarityNegative) return contrast < 0.0;
    return true;
}

}  // namespace

std::vector<double> gaussianDerivative(const std::vector<double>& values, int32_t first,
                                       int32_t count, double sigma) {
    const auto radius = static_cast<int32_t>(std::ceil(kKernelSigmas * sigma));
    const std::vector<double> kernel = derivativeKernel(sigma, radius);
    // The valid values with `radius` copies of each end value beyond it.
    std::vector<double> padded(static_cast<std::size_t>(count + 2 * radius));
    for (int32_t j = 0; j < count + 2 * radius; ++j) {
        padded[index(j)] = values[index(first + std::clamp(j - radius, 0, count - 1))];
    }
    std::vector<double> derivative(values.size(), 0.0);
    for (int32_t i = 0; i < count; ++i) {
        const double* window = padded.data() + i;
        double sum = 0.0;
        for (std::size_t k = 0; k < kernel.size(); ++k) sum += kernel[k] * window[k];
        derivative[index(first + i)] = sum;
    }
    return derivative;
}

std::vector<FoundEdge> findExtrema(const std::vector<double>& derivative, int32_t first,
                                   int32_t count, double minContrast, int32_t polarity) {
    std::vector<FoundEdge> edges;
    for (int32_t i = first + 1; i < first + count - 1; ++i) {
        const double left = derivative[index(i - 1)];
        const double centre = derivative[index(i)];
        const double right = derivative[index(i + 1)];
        const bool maximum = centre > 0.0 && centre > left && centre >= right;
        const bool minimum = centre < 0.0 && centre < left && centre <= right;
        if (!maximum && !minimum) continue;
        const double offset = vertexOffset(left, centre, right);
        const double contrast = centre - 0.25 * (left - right) * offset;
        if (std::fabs(contrast) >= minContrast && polarityKeeps(polarity, contrast)) {
            edges.push_back({i + offset, contrast});
        }
    }
    return edges;
}

}  // namespace cedge
