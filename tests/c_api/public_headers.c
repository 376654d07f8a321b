/* Compiled as strict C99: every public header must be plain C, and the
 * record layouts seen from C must match those the library was built with. */
#include <stdio.h>

#include "cclp_score/cclp_score.h"
#include "record_layouts.h"

CCLP_CHECK_RECORD_LAYOUTS()

static int failures = 0;

static void expect(int condition, const char* what) {
    if (!condition) {
        printf("FAILED: %s\n", what);
        ++failures;
    }
}

/* A typed vector of score parameters used from C: elements built by the
 * record's own construct, read through typed pointers, freed with it. */
static void checkVectors(void) {
    cstd_vector_cclp_scoreParams* vector = NULL;
    cclp_scoreParams* begin = NULL;
    int32_t size = 0;

    expect(cstd_vector_cclp_scoreParams_new(&vector) == 0, "vector new");
    expect(cstd_vector_cclp_scoreParams_resize(vector, 2) == 0, "vector resize");
    expect(cstd_vector_cclp_scoreParams_getBeginSize(vector, &begin, &size) == 0 && size == 2 &&
               begin[1].numScoreMethods == 1,
           "vector elements constructed");
    expect(cstd_vector_cclp_scoreParams_delete(&vector) == 0 && vector == NULL, "vector delete");
}

int main(void) {
    cclp_scoreOneSided function;
    double x0 = 0.0, x1 = 0.0, x2 = 0.0, y0 = 0.0, y1 = 0.0;

    expect(cclp_scoreOneSided_init(&function) == CCLP_STATUS_OK, "init");
    expect(cclp_scoreOneSided_getValues(&function, &x0, &x1, &x2, &y0, &y1) == 0, "getValues");
    expect(x0 == 0.0 && x1 == 1.0 && x2 == 1.0 && y0 == 1.0 && y1 == 0.0, "default values");
    expect(cclp_scoreOneSided_initValues(&function, 1.0, 3.0, 2.0, 1.0, 0.0) ==
               CCLP_STATUS_ABSCISSAE_NOT_MONOTONE,
           "abscissae refused");
    expect(cclp_statusName(CCLP_STATUS_Y0_BELOW_Y1) != NULL, "status names");
    expect(cclp_anyStatusName(CSYS_STATUS_ATTENTION) != NULL, "runtime status names");
    checkVectors();

    if (failures == 0) printf("C interface: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
