// A C++ application's use of the installed module through its C++
// interface: the strongest single edge of a fixed-point (1/256) profile,
// scored by contrast with the default parameters, and the input index of
// that edge. Exits non-zero when the result differs from what the module
// promises.
#include <cclp_score/cclp_score.hpp>

#include <cstdio>
#include <cstring>

int main() {
    // Contrast scores 0 at 0 rising to 1 (256) at 255, whatever the sign.
    bool ok = false;
    try {
        const auto edges = cclp::score::Edges::fixed({-10 * 256, 3 * 256}, {51 * 256, -255 * 256});
        cclp::score::Scorer scorer{cclp::score::Params()};
        const auto results = scorer.score(edges);
        // Headers of the version of the package found.
        ok = std::strcmp(CCLP_SCORE_VERSION_STRING, PACKAGE_VERSION) == 0 && results.size() == 1 &&
             results[0].index(0) == 1 && results[0].positionFixed() == 3 * 256 &&
             results[0].scoreFixed() == 256;
    } catch (const cclp::score::Error& error) {
        std::printf("%s\n", error.what());
    }
    std::printf("cclp_score %s: C++ consumer %s\n", CCLP_SCORE_VERSION_STRING,
                ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
