#include "robust_fit.hpp"

namespace cgeom {

double weightOf(const cgeom_fitParams& fit, double residual) {
    const double distance = std::fabs(residual);
    if (fit.weight == cgeom_weightNone) return 1.0;
    if (!(distance <= fit.inlierDistance)) return 0.0;
    if (fit.weight == cgeom_weightHuber) {
        const double knee = fit.inlierDistance / 2.0;
        return distance <= knee ? 1.0 : knee / distance;
    }
    const double u = residual / fit.inlierDistance;
    return (1.0 - u * u) * (1.0 - u * u);
}

}  // namespace cgeom
