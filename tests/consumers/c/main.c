/* A C application's use of the installed module: finds the edge pair of a
 * given width among four edges in double precision. Exits non-zero when
 * anything differs from what the module promises. */
#include <stdio.h>
#include <string.h>

#include <cclp_score/cclp_score.h>

static int failures = 0;

static int near(double value, double expected) {
    return value - expected < 1e-12 && expected - value < 1e-12;
}

static void expect(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

/* The caliper library would fill the result set; here the edges are copied
 * into runtime memory, which the result set then owns. */
static int32_t loadEdges(cclp_resultSet* set) {
    static const cclp_edge edges[4] = {{-20.0, 100.0}, {-6.0, -80.0}, {6.0, 90.0}, {15.0, -30.0}};
    void* block = NULL;
    const int32_t status = csys_memory_clone_internal(sizeof edges, edges, &block);
    if (status < 0) return status;
    set->edges = (cclp_edge*)block;
    set->numEdges = 4;
    set->formats = CCLP_FORMAT_DOUBLE;
    return 0;
}

/* Pairs 12 pixels wide, of any polarity: full score at the width, none from
 * 25 % off; the best two, best first. */
static int32_t setUpParams(cclp_scoreParams* params) {
    const cclp_desiredEdge pair[2] = {{-6.0, cclp_polarityAny}, {6.0, cclp_polarityAny}};
    cclp_scoreOneSided ramp;
    cclp_score width;
    int32_t status = cclp_scoreOneSided_initValues(&ramp, 0.0, 0.25, 0.25, 1.0, 0.0);
    if (status >= 0) status = cclp_score_initScoreMethodOneSided(&width, cclp_scoreMethodSizeDiff, &ramp);
    if (status >= 0) status = cclp_scoreParams_setDesiredEdges(params, 2, pair);
    if (status >= 0) status = cclp_scoreParams_setScoreMethods(params, 1, &width);
    if (status >= 0) status = cclp_scoreParams_setMaxNumResults(params, 2);
    return status;
}

static void checkResults(const cclp_scoreResultSet* results) {
    expect(results->numResults == 2, "two results");
    if (results->numResults != 2) return;
    /* Edges 1 and 2 are exactly 12 apart; edges 0 and 1 are 14 apart, a
     * sixth too wide, two thirds of the way down the ramp. */
    expect(results->results[0].position == 0.0 && results->results[0].score == 1.0,
           "best pair: centred, full score");
    expect(results->results[0].edges[0].position == -6.0 &&
               results->results[0].edges[1].position == 6.0,
           "best pair: copies of its edges");
    expect(results->results[1].position == -13.0 &&
               near(results->results[1].score, 1.0 / 3.0),
           "second pair: a third of the score");
}

int main(void) {
    cclp_resultSet input;
    cclp_scoreParams params;
    cclp_scoreResultSet results;
    int32_t status = 0;

    printf("cclp_score %s\n", CCLP_SCORE_VERSION_STRING);
    expect(strcmp(CCLP_SCORE_VERSION_STRING, PACKAGE_VERSION) == 0,
           "headers of the package's version");
    expect(CCLP_SCORE_VERSION == CCLP_SCORE_VERSION_MAJOR * 10000 +
                                     CCLP_SCORE_VERSION_MINOR * 100 + CCLP_SCORE_VERSION_PATCH,
           "version number");

    expect(cclp_resultSet_construct(&input) == 0, "input constructed");
    expect(cclp_scoreParams_construct(&params) == 0, "parameters constructed");
    expect(cclp_scoreResultSet_construct(&results) == 0, "output constructed");
    expect(loadEdges(&input) == 0, "edges loaded");
    expect(setUpParams(&params) == 0, "parameters set");

    status = cclp_scoreParams_setMaxNumResults(&params, 0);
    expect(status == CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE &&
               strcmp(cclp_statusName(status), "CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE") == 0,
           "a refused setting is named");

    status = cclp_runScore(&input, &params, &results);
    expect(status == 0, "run");
    if (status == 0) checkResults(&results);

    expect(cclp_scoreResultSet_destruct(&results) == 0, "output destructed");
    expect(cclp_scoreParams_destruct(&params) == 0, "parameters destructed");
    expect(cclp_resultSet_destruct(&input) == 0, "input destructed");
    printf("%s\n", failures == 0 ? "C consumer: all checks passed" : "C consumer: FAILED");
    return failures == 0 ? 0 : 1;
}
