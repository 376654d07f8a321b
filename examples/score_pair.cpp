// The C++ twin of score_pair.c: finds the edge pair of a given width in a
// recorded caliper profile and prints the best candidates with the score of
// every method and the input index of each edge.
//
//     score_pair_cxx [width [first-polarity second-polarity]]
//
// width is the expected distance between the two edges in pixels (default
// 12: the slot). A polarity is 1 (dark to light), 2 (light to dark) or 3
// (either); the default 2 1 asks for a dark slot in a bright part. Try
// "score_pair_cxx 45 1 2" for the bracket's outer edges.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cclp_score/cclp_score.hpp"

extern "C" {
#include "sample_profile.h"
}

namespace {

using namespace cclp::score;

struct Request {
    double width = 12.0;
    Polarity first = Polarity::Negative;
    Polarity second = Polarity::Positive;
};

const char* polarityName(Polarity polarity) {
    switch (polarity) {
    case Polarity::Positive: return "dark to light";
    case Polarity::Negative: return "light to dark";
    default: return "either polarity";
    }
}

bool parseRequest(int argc, char** argv, Request& request) {
    if (argc > 1) request.width = std::atof(argv[1]);
    if (argc > 3) {
        request.first = static_cast<Polarity>(std::atoi(argv[2]));
        request.second = static_cast<Polarity>(std::atoi(argv[3]));
    }
    if (argc == 3 || argc > 4 || !(request.width > 0.0)) {
        std::fprintf(stderr, "usage: %s [width [first-polarity second-polarity]]\n", argv[0]);
        return false;
    }
    return true;
}

// The recorded profile in both number formats, as a caliper hands it over.
Edges loadProfile() {
    std::vector<double> positions;
    std::vector<double> contrasts;
    for (int32_t i = 0; i < sampleProfileSize; ++i) {
        positions.push_back(sampleProfile[i].position);
        contrasts.push_back(sampleProfile[i].contrast);
    }
    return Edges(positions, contrasts, Formats::Both);
}

// A method scoring 1 up to x0, falling to 0 at x1 (and beyond x2).
Method method(MethodId id, double x0, double x1, double x2) {
    return Method(id, OneSided(x0, x1, x2, 1.0, 0.0));
}

Params pairParams(const Request& request) {
    Params params;
    params.pair({-request.width / 2.0, request.first}, {request.width / 2.0, request.second})
        .methods({method(MethodId::SizeDiff, 0.0, 0.25, 0.25),  // width within 25 %
                  method(MethodId::Contrast, 60.0, 0.0, 0.0),   // full score from 60 grey levels
                  method(MethodId::PosAbs, 0.0, 20.0, 20.0)})   // centre within 20 px
        .maxResults(5)
        .sorted(true);
    return params;
}

void printResults(const Results& results, const Request& request) {
    std::printf("%d edges in the caliper profile. Best edge pairs %.2f px wide,\n"
                "first edge %s, second edge %s:\n\n",
                sampleProfileSize, request.width, polarityName(request.first),
                polarityName(request.second));
    std::printf("rank |     first edge      |     second edge     | centre   width |  score  "
                "1/256 |    width contrast  centred\n");
    int rank = 0;
    for (const Result& result : results) {
        const cclp_edge& first = result.edge(0);
        const cclp_edge& second = result.edge(1);
        std::printf("%4d | #%-2d %6.2f %7.1f  | #%-2d %6.2f %7.1f  | %6.2f %6.2f  | %6.3f  %5d  |",
                    ++rank, result.index(0), first.position, first.contrast, result.index(1),
                    second.position, second.contrast, result.position(),
                    second.position - first.position, result.score(),
                    static_cast<int>(result.scoreFixed()));
        for (int32_t m = 0; m < result.numScores(); ++m) std::printf(" %8.3f", result.methodScore(m));
        std::printf("\n");
    }
    if (results.empty()) std::printf("(no pair of edges with these polarities)\n");
}

}  // namespace

int main(int argc, char** argv) {
    Request request;
    if (!parseRequest(argc, argv, request)) return EXIT_FAILURE;
    try {
        const Edges profile = loadProfile();
        Scorer scorer(pairParams(request));
        printResults(scorer.score(profile), request);
    } catch (const Error& error) {
        std::fprintf(stderr, "scoring failed: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
