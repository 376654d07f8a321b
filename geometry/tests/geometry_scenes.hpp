// Scenes of known geometry for the line and circle tools (a straight
// boundary, a disc) with optional distractors, and owners of the score
// parameters that choose the true edge or the strongest one.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
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

// A bright rectangle (a scratch, a speck) centred at (x, y), half-sizes
// along and across the unit direction (ux, uy), blurred like the scenes.
struct Blob {
    double x, y, ux, uy, halfAlong, halfAcross, gray;

    // How much of the blob covers (px, py), 0 to 1.
    double coverAt(double px, double py, double blur) const {
        const double along = (px - x) * ux + (py - y) * uy;
        const double across = -(px - x) * uy + (py - y) * ux;
        const double reach = 6.0 * blur;
        if (std::fabs(along) > halfAlong + reach || std::fabs(across) > halfAcross + reach) return 0.0;
        return blurredStep(halfAlong - std::fabs(along), blur) *
               blurredStep(halfAcross - std::fabs(across), blur);
    }
};

struct SceneBase {
    double blur = 1.5;
    double dark = 40.0;
    double light = 120.0;
    std::vector<Blob> blobs;

    double withBlobs(double gray, double x, double y) const {
        for (const Blob& blob : blobs) gray += (blob.gray - gray) * blob.coverAt(x, y, blur);
        return gray;
    }
};

// Dark to light across the line through (x0, y0) at `angle` degrees, the
// light side where the line's direction turned by +90 degrees points.
struct BoundaryScene : SceneBase {
    double x0 = 0.0, y0 = 0.0, angle = 0.0;
    double grayAt(double x, double y) const {
        const double radians = angle * kPi / 180.0;
        const double s = -(x - x0) * std::sin(radians) + (y - y0) * std::cos(radians);
        return withBlobs(dark + (light - dark) * blurredStep(s, blur), x, y);
    }
};

// A light disc on a dark ground.
struct DiscScene : SceneBase {
    double cx = 0.0, cy = 0.0, radius = 40.0;
    double grayAt(double x, double y) const {
        const double s = radius - std::hypot(x - cx, y - cy);
        return withBlobs(dark + (light - dark) * blurredStep(s, blur), x, y);
    }
};

// Score parameters held for a test.
struct ScoreParams {
    cclp_scoreParams c{};
    ScoreParams() { EXPECT_EQ(cclp_scoreParams_construct(&c), 0); }
    ~ScoreParams() { cclp_scoreParams_destruct(&c); }
    ScoreParams(const ScoreParams&) = delete;
    ScoreParams& operator=(const ScoreParams&) = delete;

    void set(int32_t polarity, const cclp_score& method) {
        const cclp_desiredEdge edge{0.0, polarity};
        EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&c, 1, &edge), 0);
        EXPECT_EQ(cclp_scoreParams_setScoreMethods(&c, 1, &method), 0);
        EXPECT_EQ(cclp_scoreParams_setMaxNumResults(&c, 1), 0);
        EXPECT_EQ(cclp_scoreParams_setSortByScore(&c, 1), 0);
    }
};

// The true edge: its polarity, within 3 pixels of the nominal position.
inline void describeTrueEdge(ScoreParams& params, int32_t polarity) {
    cclp_scoreOneSided near;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&near, 0.0, 3.0, 3.0, 1.0, 0.0), 0);
    cclp_score method;
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&method, cclp_scoreMethodPosAbs, &near), 0);
    params.set(polarity, method);
}

// The strongest edge of any polarity (contrast scored up to 255 gray levels
// per pixel at the image's scale).
inline void chooseStrongest(ScoreParams& params, double grayScale) {
    cclp_scoreOneSided contrast;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&contrast, 255.0 * grayScale, 0.0, 0.0, 1.0, 0.0), 0);
    cclp_score method;
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&method, cclp_scoreMethodContrast, &contrast), 0);
    params.set(cclp_polarityAny, method);
}

inline cedge_params edgeSearch(double grayScale) {
    cedge_params params;
    cedge_params_init(&params);
    params.sigma = 1.5;
    params.minContrast = 5.0 * grayScale;
    return params;
}

// A random instance's draw: seeded, the same on every run.
class Draw {
public:
    explicit Draw(uint32_t seed) : random_(seed) {}
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }

private:
    std::mt19937 random_;
};

}  // namespace cgeom::testing
