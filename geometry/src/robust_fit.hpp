// The robust fit both tools share: a deterministic RANSAC start (every
// minimal sample when there are few, a fixed pseudo-random choice of them
// otherwise, kept by the truncated squared residuals), then rounds of
// weighted least squares on orthogonal distances with Tukey or Huber
// weights. A Geometry supplies the model:
//   static constexpr std::size_t kSampleSize; static constexpr int32_t kDegenerate;
//   bool fromSample(const Point* const* sample, Model&) const;
//   double residual(const Model&, const Point&) const;
//   int32_t refit(const std::vector<Point>&, const std::vector<double>& weights,
//                 bool first, Model&) const;
#ifndef CGEOM_ROBUST_FIT_HPP
#define CGEOM_ROBUST_FIT_HPP

#include <algorithm>
#include <array>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <vector>

#include "cgeom/cgeom.h"

namespace cgeom {

struct Point {
    double x;
    double y;
};

// The weighted mean of the points and the sum of the weights it divides by.
struct Centroid {
    Point mean;
    double total;
};

inline Centroid weightedCentroid(const std::vector<Point>& points, const std::vector<double>& weights) {
    double total = 0.0, meanX = 0.0, meanY = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        total += weights[i];
        meanX += weights[i] * points[i].x;
        meanY += weights[i] * points[i].y;
    }
    return {Point{meanX / total, meanY / total}, total};
}

// Minimal samples: all of them up to this many, this many drawn otherwise
// (enough that a sample of inliers is all but certain with half the points
// outliers: 1 - 7/8 of a triple, 100 times, fails once in 600000).
constexpr int64_t kMaxSamples = 100;

// splitmix64: a fixed sequence, the same on every platform.
class SampleSequence {
public:
    uint64_t next() noexcept {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int32_t below(int32_t n) noexcept { return static_cast<int32_t>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_ = 0x5EEDull;
};

double weightOf(const cgeom_fitParams& fit, double residual);

// Calls visit(indices) for each minimal sample of K indices out of n.
template <std::size_t K, class Visit>
void forEachSample(int32_t n, Visit&& visit) {
    std::array<int32_t, K> indices{};
    double combinations = 1.0;
    for (std::size_t i = 0; i < K; ++i) {
        combinations = combinations * static_cast<double>(static_cast<std::size_t>(n) - i) /
                       static_cast<double>(i + 1);
    }
    if (combinations <= static_cast<double>(kMaxSamples)) {
        for (std::size_t i = 0; i < K; ++i) indices[i] = static_cast<int32_t>(i);
        while (true) {
            visit(indices);
            // The last index that can still advance, then the ones after it.
            std::size_t i = K;
            while (i > 0 && indices[i - 1] == n - static_cast<int32_t>(K - (i - 1))) --i;
            if (i == 0) return;
            ++indices[i - 1];
            for (std::size_t j = i; j < K; ++j) indices[j] = indices[j - 1] + 1;
        }
    }
    SampleSequence sequence;
    for (int64_t s = 0; s < kMaxSamples; ++s) {
        for (std::size_t i = 0; i < K; ++i) {
            bool repeated = true;
            while (repeated) {
                indices[i] = sequence.below(n);
                repeated = std::find(indices.begin(), indices.begin() + static_cast<std::ptrdiff_t>(i),
                                     indices[i]) != indices.begin() + static_cast<std::ptrdiff_t>(i);
            }
        }
        visit(indices);
    }
}

// The RANSAC start: the sampled model with the least truncated cost, and
// weights 1 for the points within the inlier distance of it, 0 otherwise.
template <class Geometry, class Model>
int32_t ransacStart(const Geometry& geometry, const std::vector<Point>& points, double band,
                    Model& model, std::vector<double>& weights) {
    bool any = false;
    double bestCost = 0.0;
    forEachSample<Geometry::kSampleSize>(static_cast<int32_t>(points.size()), [&](const auto& indices) {
        std::array<const Point*, Geometry::kSampleSize> sample{};
        for (std::size_t i = 0; i < sample.size(); ++i) {
            sample[i] = &points[static_cast<std::size_t>(indices[i])];
        }
        Model candidate{};
        if (!geometry.fromSample(sample.data(), candidate)) return;
        // A partial cost already at the best cannot win: the rest is skipped.
        const double cap = band * band;
        double cost = 0.0;
        for (std::size_t i = 0; i < points.size() && (!any || cost < bestCost); ++i) {
            const double r = geometry.residual(candidate, points[i]);
            cost += r * r < cap ? r * r : cap;
        }
        if (!any || cost < bestCost) {
            any = true;
            bestCost = cost;
            model = candidate;
        }
    });
    if (!any) return Geometry::kDegenerate;
    for (std::size_t i = 0; i < points.size(); ++i) {
        weights[i] = std::fabs(geometry.residual(model, points[i])) <= band ? 1.0 : 0.0;
    }
    return CGEOM_STATUS_OK;
}

inline std::size_t countUsed(const std::vector<double>& weights) {
    std::size_t used = 0;
    for (const double weight : weights) used += weight > 0.0 ? 1u : 0u;
    return used;
}

// Fits the model; weights receives each point's weight by its final residual.
template <class Geometry, class Model>
int32_t robustFit(const Geometry& geometry, const std::vector<Point>& points,
                  const cgeom_fitParams& fit, Model& model, std::vector<double>& weights) {
    if (points.size() < Geometry::kSampleSize) {
        return CGEOM_STATUS_TOO_FEW_POINTS;
    }
    weights.assign(points.size(), 1.0);
    if (fit.weight == cgeom_weightNone) return geometry.refit(points, weights, true, model);
    int32_t status = ransacStart(geometry, points, fit.inlierDistance, model, weights);
    for (int32_t round = 0; status == CGEOM_STATUS_OK && round < fit.maxIterations; ++round) {
        if (countUsed(weights) < Geometry::kSampleSize) return CGEOM_STATUS_TOO_FEW_POINTS;
        status = geometry.refit(points, weights, round == 0, model);
        double change = 0.0;
        for (std::size_t i = 0; status == CGEOM_STATUS_OK && i < points.size(); ++i) {
            const double next = weightOf(fit, geometry.residual(model, points[i]));
            change = std::fmax(change, std::fabs(next - weights[i]));
            weights[i] = next;
        }
        if (change <= 1e-12) break;
    }
    // The weights are those of the final model's residuals: the points the
    // model was fitted with, once the rounds have settled.
    if (status == CGEOM_STATUS_OK && countUsed(weights) < Geometry::kSampleSize) {
        return CGEOM_STATUS_TOO_FEW_POINTS;
    }
    return status;
}

}  // namespace cgeom

#endif
