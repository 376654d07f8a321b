#include <cmath>

#include "cmath_lib.h"
#include "csys_runtime.h"

extern "C" {

int32_t cmath_vect_init(cmath_vect* vect, double x, double y) {
    if (vect == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    vect->x = x;
    vect->y = y;
    return CSYS_STATUS_OK;
}

uint32_t cmath_sqrt32(uint32_t value) {
    // Bitwise integer square root: exact floor for every 32-bit value.
    uint32_t root = 0;
    uint32_t bit = 1u << 30;
    while (bit > value) bit >>= 2;
    while (bit != 0) {
        if (value >= root + bit) {
            value -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

int32_t cmath_double_epsilonEqual(double a, double b, double tolerance) {
    if (a == b) return 1;
    return std::fabs(a - b) <= tolerance ? 1 : 0;
}

}  // extern "C"
