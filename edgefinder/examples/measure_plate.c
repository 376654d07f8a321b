/* From an image file to a scored edge pair: reads an image, finds the edges
 * in a caliper, and scores the pairs of them that look like a part of the
 * expected height, dark to light then light to dark.
 *
 *   measure_plate [image [x y angle length thickness [height]]]
 *
 * Without arguments it measures the name plate in the bundled photograph
 * crop (data/name_plate.pgm): a caliper downward across the plate at
 * column 50, where the plate should be about 27 pixels high. */
#include <stdio.h>
#include <stdlib.h>

#include <cclp_score/cclp_score.h>
#include <cedge/cedge.h>

#ifndef CEDGE_EXAMPLE_IMAGE
#  define CEDGE_EXAMPLE_IMAGE "name_plate.pgm"
#endif

static int fail(const char* what, int32_t status) {
    const char* name = cedge_statusName(status);
    if (name == NULL) name = cclp_anyStatusName(status);
    fprintf(stderr, "%s failed: %s\n", what, name != NULL ? name : "unknown status");
    return 1;
}

/* Scores pairs: score 1 at the expected height, falling to 0 at 25 % off. */
static int32_t scorePairs(const cclp_resultSet* edges, double height,
                          cclp_scoreResultSet* results) {
    const cclp_desiredEdge pair[2] = {{-height / 2.0, cclp_polarityPositive},
                                      {height / 2.0, cclp_polarityNegative}};
    cclp_scoreParams params;
    cclp_scoreOneSided width;
    cclp_score method;
    int32_t status = cclp_scoreParams_construct(&params);
    if (status < 0) return status;
    status = cclp_scoreOneSided_initValues(&width, 0.0, 0.25, 0.25, 1.0, 0.0);
    if (status >= 0) status = cclp_score_initScoreMethodOneSided(&method, cclp_scoreMethodSizeDiff, &width);
    if (status >= 0) status = cclp_scoreParams_setDesiredEdges(&params, 2, pair);
    if (status >= 0) status = cclp_scoreParams_setScoreMethods(&params, 1, &method);
    if (status >= 0) status = cclp_scoreParams_setMaxNumResults(&params, 1);
    if (status >= 0) status = cclp_runScore(edges, &params, results);
    cclp_scoreParams_destruct(&params);
    return status;
}

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : CEDGE_EXAMPLE_IMAGE;
    cedge_caliper caliper = {50.0, 30.0, 90.0, 40.0, 2.0};
    double height = 27.0;
    cedge_ownedImage image;
    cedge_params params;
    cclp_resultSet edges;
    cclp_scoreResultSet results;
    int32_t status;
    int32_t i;
    if (argc > 2) {
        if (argc < 7) {
            fprintf(stderr, "usage: %s [image [x y angle length thickness [height]]]\n", argv[0]);
            return 2;
        }
        caliper = (cedge_caliper){atof(argv[2]), atof(argv[3]), atof(argv[4]), atof(argv[5]),
                                  atof(argv[6])};
        if (argc > 7) height = atof(argv[7]);
    }

    cedge_ownedImage_construct(&image);
    status = cedge_readImageFile(path, &image);
    if (status < 0) return fail(path, status);
    status = cclp_resultSet_construct(&edges);
    if (status < 0) {
        cedge_ownedImage_destruct(&image);
        return fail("cclp_resultSet_construct", status);
    }
    cclp_scoreResultSet_construct(&results);

    cedge_params_init(&params);
    params.minContrast = 30.0; /* gray levels per pixel: the plate's edges, not its lettering */
    status = cedge_findEdges(&image.view, &caliper, &params, &edges, NULL);
    if (status >= 0) {
        printf("%s: %d x %d, %d edges in the caliper at (%.1f, %.1f), %.1f degrees\n", path,
               (int)image.view.width, (int)image.view.height, (int)edges.numEdges,
               caliper.centerX, caliper.centerY, caliper.angle);
        for (i = 0; i < edges.numEdges; ++i) {
            printf("  edge at %+7.2f px, contrast %+6.1f\n", edges.edges[i].position,
                   edges.edges[i].contrast);
        }
        status = scorePairs(&edges, height, &results);
    }
    if (status >= 0 && results.numResults > 0) {
        const cclp_scoreOneResult* best = &results.results[0];
        printf("best pair: %.2f to %.2f, height %.2f px, score %.3f\n", best->edges[0].position,
               best->edges[1].position, best->edges[1].position - best->edges[0].position,
               best->score);
    } else if (status >= 0) {
        printf("no pair near %.1f px\n", height);
    }

    cclp_scoreResultSet_destruct(&results);
    cclp_resultSet_destruct(&edges);
    cedge_ownedImage_destruct(&image);
    return status < 0 ? fail("measuring", status) : 0;
}
