/* The geometry tools' header compiles as C99 and links as a C caller links it. */
#include <cgeom/cgeom.h>

int main(void) {
    cgeom_lineParams line;
    cgeom_circleParams circle;
    int32_t count = 0;
    if (cgeom_lineParams_init(&line) != 0 || cgeom_circleParams_init(&circle) != 0) return 1;
    circle.radius = 20.0;
    if (cgeom_circleCaliperCount(&circle, &count) != 0 || count != 16) return 1;
    return cgeom_statusName(CGEOM_STATUS_TOO_FEW_POINTS) != 0 ? 0 : 1;
}
