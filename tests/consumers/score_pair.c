#include "score_pair.h"

#include <cclp_score/cclp_score.h>

int consumer_runScorePair(void) {
    static const cclp_edge edges[3] = {{-20.0, 100.0}, {-6.0, -80.0}, {6.0, 90.0}};
    static const cclp_desiredEdge pair[2] = {{-6.0, cclp_polarityAny}, {6.0, cclp_polarityAny}};
    cclp_resultSet input;
    cclp_scoreParams params;
    cclp_scoreResultSet results;
    cclp_scoreOneSided ramp;
    cclp_score width;
    void* block = NULL;
    int ok = 0;

    cclp_resultSet_construct(&input);
    cclp_scoreParams_construct(&params);
    cclp_scoreResultSet_construct(&results);
    /* The result set owns its edges: they live in runtime memory. */
    if (csys_memory_clone_internal(sizeof edges, edges, &block) == 0) {
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
    return ok;
}
