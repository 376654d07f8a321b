// Scenes of known geometry for the line and circle tools (a straight
// boundary, a disc) with bright distractors, and the score parameters that
// choose the true edge or the strongest one.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "cgeom/cgeom.h"
#include "synthetic_image.hpp"

namespace cgeom::testing {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNoise = 2.0;  // gray levels

inline double blurredStep(double distance, double blur) {
    return 0.5 * std::erfc(-distance / (blur * std::sqrt(2.0)));
}

// A bright rectangle centred at (x, y), half-sizes along and across (ux, uy).
struct Blob {
    double x, y, ux, uy, halfAlong, halfAcross, gray;
    double coverAt(double px, double py, double blur) const {
        const double along = std::fabs((px - x) * ux + (py - y) * uy);
        const double across = std::fabs(-(px - x) * uy + (py - y) * ux);
        if (along > halfAlong + 6.0 * blur || across > halfAcross + 6.0 * blur) return 0.0;
        return blurredStep(halfAlong - along, blur) * blurredStep(halfAcross - across, blur);
    }
};

// Dark to light where `inside` turns positive, blurred, under the blobs.
struct Scene {
    double blur = 1.5, dark = 40.0, light = 120.0;
    std::vector<Blob> blobs;
    double shade(double inside, double x, double y) const {
        double gray = dark + (light - dark) * blurredStep(inside, blur);
        for (const Blob& blob : blobs) gray += (blob.gray - gray) * blob.coverAt(x, y, blur);
        return gray;
    }
};

// Light on the side the line's direction turned by +90 degrees points to.
struct BoundaryScene : Scene {
    double x0 = 0.0, y0 = 0.0, angle = 0.0;
    double grayAt(double x, double y) const {
        const double radians = angle * kPi / 180.0;
        return shade(-(x - x0) * std::sin(radians) + (y - y0) * std::cos(radians), x, y);
    }
};

struct DiscScene : Scene {
    double cx = 0.0, cy = 0.0, radius = 40.0;
    double grayAt(double x, double y) const { return shade(radius - std::hypot(x - cx, y - cy), x, y); }
};

struct ScoreParams {
    cclp_scoreParams c{};
    ScoreParams() { cclp_scoreParams_construct(&c); }
    ~ScoreParams() { cclp_scoreParams_destruct(&c); }
    ScoreParams(const ScoreParams&) = delete;
    ScoreParams& operator=(const ScoreParams&) = delete;

    // One edge of the polarity scored by the method, over the function
    // x0 -> 1 ramping to x1 -> 0; the best result only.
    ScoreParams(int32_t polarity, int32_t method, double x0, double x1) : ScoreParams() {
        const cclp_desiredEdge edge{0.0, polarity};
        cclp_scoreOneSided function;
        cclp_score score;
        EXPECT_EQ(cclp_scoreOneSided_initValues(&function, x0, x1, x1, 1.0, 0.0), 0);
        EXPECT_EQ(cclp_score_initScoreMethodOneSided(&score, method, &function), 0);
        EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&c, 1, &edge), 0);
        EXPECT_EQ(cclp_scoreParams_setScoreMethods(&c, 1, &score), 0);
        EXPECT_EQ(cclp_scoreParams_setMaxNumResults(&c, 1), 0);
    }
};

// The true edge: its polarity, within 3 pixels of the nominal position.
inline std::unique_ptr<ScoreParams> trueEdge(int32_t polarity) {
    return std::make_unique<ScoreParams>(polarity, cclp_scoreMethodPosAbs, 0.0, 3.0);
}

// The strongest edge of any polarity, up to 255 gray levels per pixel.
inline std::unique_ptr<ScoreParams> strongestEdge(double grayScale) {
    return std::make_unique<ScoreParams>(cclp_polarityAny, cclp_scoreMethodContrast, 255.0 * grayScale,
                                         0.0);
}

inline cedge_params edgeSearch(double grayScale) {
    cedge_params params;
    cedge_params_init(&params);
    params.sigma = 1.5;
    params.minContrast = 5.0 * grayScale;
    return params;
}

inline double uniform(std::mt19937& random, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}

// Root mean square of two errors over instances.
struct Rms {
    double sum[2] = {0.0, 0.0};
    int count = 0;
    void add(double first, double second) {
        sum[0] += first * first;
        sum[1] += second * second;
        ++count;
    }
    double operator[](int i) const { return std::sqrt(sum[i] / count); }
};

}  // namespace cgeom::testing
