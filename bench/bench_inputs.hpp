// The benchmarks' inputs: a caliper's edges in ascending position, and
// one-sided score methods.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "cclp_score/cclp_score.h"

inline int32_t fixed256(double value) {
    return static_cast<int32_t>(value * 256.0 + (value >= 0.0 ? 0.5 : -0.4999999999));
}

// A caliper input of n edges in ascending position, in one format.
struct Profile {
    std::vector<cclp_edge> edges;
    std::vector<cclp_edgeFixed> edgesFixed;
    cclp_resultSet set{};

    Profile(int32_t n, uint32_t formats) {
        std::mt19937 rng(12345);
        std::uniform_real_distribution<double> step(0.1, 2.0);
        std::uniform_real_distribution<double> contrast(-200.0, 200.0);
        double position = -static_cast<double>(n) / 2.0;
        for (int32_t i = 0; i < n; ++i) {
            position += step(rng);
            edges.push_back({position, contrast(rng)});
            edgesFixed.push_back(
                {fixed256(edges.back().position), fixed256(edges.back().contrast)});
        }
        set.numEdges = n;
        set.formats = formats;
        set.edges = edges.data();
        set.edgesFixed = edgesFixed.data();
    }
};

inline cclp_score oneSided(int32_t method, double x0, double x1, double x2) {
    cclp_scoreOneSided function;
    cclp_scoreOneSided_initValues(&function, x0, x1, x2, 1.0, 0.0);
    cclp_score score;
    cclp_score_initScoreMethodOneSided(&score, method, &function);
    return score;
}
