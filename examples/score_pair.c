/* Finds the edge pair of a given width in a recorded caliper profile and
 * prints the best candidates with the score of every method.
 *
 *     score_pair [width [first-polarity second-polarity]]
 *
 * width is the expected distance between the two edges in pixels (default
 * 12: the slot). A polarity is 1 (dark to light), 2 (light to dark) or 3
 * (either); the default 2 1 asks for a dark slot in a bright part. Try
 * "score_pair 45 1 2" for the bracket's outer edges. */
#include <stdio.h>
#include <stdlib.h>

#include "cclp_score/cclp_score.h"
#include "csys_runtime.h"
#include "sample_profile.h"

#define MAX_RESULTS 5
#define NUM_METHODS 3

static const char* const methodNames[NUM_METHODS] = {"width", "contrast", "centred"};

typedef struct Request {
    double width;
    int32_t polarity[2];
} Request;

static const char* polarityName(int32_t polarity) {
    switch (polarity) {
    case cclp_polarityPositive: return "dark to light";
    case cclp_polarityNegative: return "light to dark";
    default: return "either polarity";
    }
}

static int parseRequest(int argc, char** argv, Request* request) {
    request->width = 12.0;
    request->polarity[0] = cclp_polarityNegative;
    request->polarity[1] = cclp_polarityPositive;
    if (argc > 1) request->width = atof(argv[1]);
    if (argc > 3) {
        request->polarity[0] = (int32_t)atoi(argv[2]);
        request->polarity[1] = (int32_t)atoi(argv[3]);
    }
    if (argc == 3 || argc > 4 || !(request->width > 0.0)) {
        fprintf(stderr, "usage: %s [width [first-polarity second-polarity]]\n", argv[0]);
        return 0;
    }
    return 1;
}

static int32_t toFixed256(double value) {
    return (int32_t)(value * 256.0 + (value >= 0.0 ? 0.5 : -0.4999999999));
}

/* Stands in for the caliper library, which hands its findings over in a
 * result set; this one carries the edges in both number formats. */
static int32_t loadProfile(cclp_resultSet* set) {
    const size_t count = (size_t)sampleProfileSize;
    void* block = NULL;
    int32_t status = csys_memory_clone_internal(count * sizeof(cclp_edge), sampleProfile, &block);
    if (status < 0) return status;
    set->edges = block;
    block = NULL;
    status = csys_memory_alloc_internal(count * sizeof(cclp_edgeFixed), &block);
    if (status < 0) return status;
    set->edgesFixed = block;
    for (size_t i = 0; i < count; ++i) {
        set->edgesFixed[i].position = toFixed256(sampleProfile[i].position);
        set->edgesFixed[i].contrast = toFixed256(sampleProfile[i].contrast);
    }
    set->numEdges = sampleProfileSize;
    set->formats = CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED;
    return 0;
}

/* A method scoring 1 up to x0, falling to 0 at x1 (and beyond x2). */
static int32_t initMethod(cclp_score* method, int32_t number, double x0, double x1, double x2) {
    cclp_scoreOneSided function;
    const int32_t status = cclp_scoreOneSided_initValues(&function, x0, x1, x2, 1.0, 0.0);
    if (status < 0) return status;
    return cclp_score_initScoreMethodOneSided(method, number, &function);
}

static int32_t setUpParams(cclp_scoreParams* params, const Request* request) {
    const cclp_desiredEdge desired[2] = {{-request->width / 2.0, request->polarity[0]},
                                         {request->width / 2.0, request->polarity[1]}};
    cclp_score methods[NUM_METHODS];
    /* The width within 25 % of the expected one. */
    int32_t status = initMethod(&methods[0], cclp_scoreMethodSizeDiff, 0.0, 0.25, 0.25);
    /* Mean contrast: full score from 60 grey levels on. */
    if (status >= 0) status = initMethod(&methods[1], cclp_scoreMethodContrast, 60.0, 0.0, 0.0);
    /* The pair's centre within 20 pixels of the caliper's. */
    if (status >= 0) status = initMethod(&methods[2], cclp_scoreMethodPosAbs, 0.0, 20.0, 20.0);
    if (status >= 0) status = cclp_scoreParams_setDesiredEdges(params, 2, desired);
    if (status >= 0) status = cclp_scoreParams_setScoreMethods(params, NUM_METHODS, methods);
    if (status >= 0) status = cclp_scoreParams_setMaxNumResults(params, MAX_RESULTS);
    if (status >= 0) status = cclp_scoreParams_setSortByScore(params, 1);
    return status;
}

static void printResults(const cclp_scoreResultSet* results, const Request* request) {
    printf("%d edges in the caliper profile. Best edge pairs %.2f px wide,\n"
           "first edge %s, second edge %s:\n\n",
           sampleProfileSize, request->width, polarityName(request->polarity[0]),
           polarityName(request->polarity[1]));
    printf("rank |   first edge    |   second edge   | centre   width |  score  1/256 |");
    for (int m = 0; m < NUM_METHODS; ++m) printf(" %8s", methodNames[m]);
    printf("\n     |   pos  contrast |   pos  contrast |                |               |\n");
    for (int32_t r = 0; r < results->numResults; ++r) {
        const cclp_scoreOneResult* result = &results->results[r];
        const cclp_edge* first = &result->edges[0];
        const cclp_edge* second = &result->edges[1];
        printf("%4d | %6.2f %7.1f  | %6.2f %7.1f  | %6.2f %6.2f  | %6.3f  %5d  |", (int)(r + 1),
               first->position, first->contrast, second->position, second->contrast,
               result->position, second->position - first->position, result->score,
               (int)result->scoreFixed);
        for (int32_t m = 0; m < result->numScores; ++m) printf(" %8.3f", result->scores[m]);
        printf("\n");
    }
    if (results->numResults == 0) printf("(no pair of edges with these polarities)\n");
    printf("\nThe score is the geometric mean of the method scores: one method scoring 0\n"
           "makes it 0. Try \"score_pair 45 1 2\" for the bracket's outer edges.\n");
}

static int report(const char* step, int32_t status) {
    const char* name = cclp_anyStatusName(status);
    if (name != NULL) {
        fprintf(stderr, "%s failed: %s (%s)\n", step, name, cclp_anyStatusMeaning(status));
    } else {
        fprintf(stderr, "%s failed: status 0x%08lX\n", step, (unsigned long)(uint32_t)status);
    }
    return EXIT_FAILURE;
}

int main(int argc, char** argv) {
    Request request;
    cclp_resultSet profile;
    cclp_scoreParams params;
    cclp_scoreResultSet results;
    int exitCode = EXIT_SUCCESS;
    int32_t status = 0;

    if (!parseRequest(argc, argv, &request)) return EXIT_FAILURE;
    if ((status = cclp_resultSet_construct(&profile)) < 0) return report("constructing", status);
    if ((status = cclp_scoreParams_construct(&params)) < 0) {
        cclp_resultSet_destruct(&profile);
        return report("constructing", status);
    }
    cclp_scoreResultSet_construct(&results);

    if ((status = loadProfile(&profile)) < 0) {
        exitCode = report("loading the profile", status);
    } else if ((status = setUpParams(&params, &request)) < 0) {
        exitCode = report("setting up the parameters", status);
    } else if ((status = cclp_runScore(&profile, &params, &results)) < 0) {
        exitCode = report("scoring", status);
    } else {
        printResults(&results, &request);
    }
    cclp_scoreResultSet_destruct(&results);
    cclp_scoreParams_destruct(&params);
    cclp_resultSet_destruct(&profile);
    return exitCode;
}
