/* A C application's use of the installed module: the consumers' scoring run.
 * Exits non-zero when the result differs from what the module promises. */
#include <stdio.h>
#include <string.h>

#include <cclp_score/cclp_score.h>

#include "../score_pair.h"

int main(void) {
    /* Headers of the version of the package found. */
    int ok = strcmp(CCLP_SCORE_VERSION_STRING, PACKAGE_VERSION) == 0 && consumer_runScorePair();
    printf("cclp_score %s: C consumer %s\n", CCLP_SCORE_VERSION_STRING, ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
