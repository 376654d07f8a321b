// A C++ application's use of the installed module: the strongest single
// edge of a fixed-point (1/256) profile, scored by contrast with the default
// parameters. Exits non-zero when the result differs from what the module
// promises.
#include <cclp_score/cclp_score.h>

#include <cstdio>
#include <cstring>

int main() {
    // Contrast scores 0 at 0 rising to 1 (256) at 255, whatever the sign.
    const cclp_edgeFixed edges[2] = {{-10 * 256, 51 * 256}, {3 * 256, -255 * 256}};
    cclp_resultSet input;
    cclp_scoreParams params;
    cclp_scoreResultSet results;
    cclp_resultSet_construct(&input);
    cclp_scoreParams_construct(&params);
    cclp_scoreResultSet_construct(&results);
    void* block = nullptr;
    // Headers of the version of the package found.
    bool ok = std::strcmp(CCLP_SCORE_VERSION_STRING, PACKAGE_VERSION) == 0 &&
              csys_memory_clone_internal(sizeof edges, edges, &block) == CCLP_STATUS_OK;
    if (ok) {
        input.edgesFixed = static_cast<cclp_edgeFixed*>(block);
        input.numEdges = 2;
        input.formats = CCLP_FORMAT_FIXED;
        ok = cclp_runScore(&input, &params, &results) == CCLP_STATUS_OK &&
             results.numResults == 1 && results.results[0].positionFixed == 3 * 256 &&
             results.results[0].scoreFixed == 256;
    }
    cclp_scoreResultSet_destruct(&results);
    cclp_scoreParams_destruct(&params);
    cclp_resultSet_destruct(&input);
    std::printf("cclp_score %s: C++ consumer %s\n", CCLP_SCORE_VERSION_STRING,
                ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
