// Synthetic gray images of straight, blurred steps at known sub-pixel
// positions, with Gaussian noise: the ground truth of the accuracy tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "cedge/cedge.h"

namespace cedge::testing {

// A bright bar on a dark ground across the direction `angle` (degrees):
// at signed distance s from (originX, originY) along (cos a, sin a), the
// gray value rises at s = rise and falls at s = fall, each a step blurred
// by a Gaussian of `blur` pixels.
struct BarScene {
    double originX = 0.0;
    double originY = 0.0;
    double angle = 0.0;
    double rise = -10.0;
    double fall = 10.0;
    double blur = 1.5;
    double dark = 60.0;
    double light = 180.0;

    double grayAt(double x, double y) const {
        const double radians = angle * (3.14159265358979323846 / 180.0);
        const double s = (x - originX) * std::cos(radians) + (y - originY) * std::sin(radians);
        const auto step = [&](double at) { return 0.5 * std::erfc(-(s - at) / (blur * std::sqrt(2.0))); };
        return dark + (light - dark) * (step(rise) - step(fall));
    }
};

// Pixel samples of a scene (point samples at the pixel centres) plus noise
// of the given sigma, rounded and clamped to the pixel type's range.
template <class Pixel>
struct SceneImage {
    int32_t width;
    int32_t height;
    std::vector<Pixel> pixels;

    // Any scene with grayAt(x, y).
    template <class Scene>
    SceneImage(const Scene& scene, int32_t w, int32_t h, double noise, uint32_t seed,
               double scale = 1.0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {
        std::mt19937 random(seed);
        std::normal_distribution<double> gaussian(0.0, noise);
        const double top = static_cast<double>(static_cast<Pixel>(~Pixel{0}));
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                const double value = scale * scene.grayAt(x, y) + gaussian(random);
                pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                       static_cast<std::size_t>(x)] =
                    static_cast<Pixel>(std::clamp(std::nearbyint(value), 0.0, top));
            }
        }
    }

    cedge_image view() const {
        return cedge_image{pixels.data(), pixels.size() * sizeof(Pixel), width, height,
                           static_cast<int32_t>(static_cast<std::size_t>(width) * sizeof(Pixel)),
                           static_cast<int32_t>(8 * sizeof(Pixel))};
    }
};

}  // namespace cedge::testing
