/* A C application's use of the installed module: scores the edge pairs 12
 * pixels wide among three edges in double precision. Exits non-zero when the
 * result differs from what the module promises. */
#include <stdio.h>
#include <string.h>

#include <cclp_score/cclp_score.h>

int main(void) {
    static const cclp_edge edges[3] = {{-20.0, 100.0}, {-6.0, -80.0}, {6.0, 90.0}};
    const cclp_desiredEdge pair[2] = {{-6.0, cclp_polarityAny}, {6.0, cclp_polarityAny}};
    cclp_resultSet input;
    cclp_scoreParams params;
    cclp_scoreResultSet results;
    cclp_scoreOneSided ramp;
    cclp_score width;
    void* block = NULL;
    /* Headers of the version of the package found. */
    int ok = strcmp(CCLP_SCORE_VERSION_STRING, PACKAGE_VERSION) == 0;

    cclp_resultSet_construct(&input);
    cclp_scoreParams_construct(&params);
    cclp_scoreResultSet_construct(&results);
    /* The result set owns its edges: they live in runtime memory. */
    if (ok && csys_memory_clone_internal(sizeof edges, edges, &block) == 0) {
        input.edges = (cclp_edge*)block;
        input.numEdges = 3;
        input.formats = CCLP_FORMAT_DOUBLE;
        /* Full score at the width, none from 25 % off. */
        cclp_scoreOneSided_initValues(&ramp, 0.0, 0.25, 0.25, 1.0, 0.0);
        cclp_score_initScoreMethodOneSided(&width, cclp_scoreMethodSizeDiff, &ramp);
        cclp_scoreParams_setDesiredEdges(&params, 2, pair);
        cclp_scoreParams_setScoreMethods(&params, 1, &width);
        /* Edges 1 and 2 are exactly 12 apart, the best of the three pairs. */
        ok = cclp_runScore(&input, &params, &results) == 0 && results.numResults == 1 &&
             results.results[0].position == 0.0 && results.results[0].score == 1.0;
    }
    cclp_scoreResultSet_destruct(&results);
    cclp_scoreParams_destruct(&params);
    cclp_resultSet_destruct(&input);
    printf("cclp_score %s: C consumer %s\n", CCLP_SCORE_VERSION_STRING, ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
