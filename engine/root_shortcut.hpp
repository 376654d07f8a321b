// The candidates a run can pass over without combining their method scores:
// all of them once the selection is closed (it keeps the first candidates
// and has them), and those whose product alone shows that their score
// ranks after the selection's bar. The root of a product is the costliest
// step of scoring a candidate against a few methods, and in all but the
// shortest runs most candidates rank after the bar.
#pragma once

#include <cstdint>

#include "engine/candidate_selection.hpp"
#include "engine/combine.hpp"

namespace cclp {

template <class Number>
class RootShortcut {
public:
    RootShortcut(int32_t numMethods, bool enabled) : numMethods_(numMethods), enabled_(enabled) {}

    // Whether the selection would pass the candidate over, whatever the
    // root of its product.
    bool passesOver(const ScoreProduct<Number>& product,
                    const CandidateSelection<Number>& selection) {
        if (!enabled_) return false;
        if (selection.closed()) return true;
        const ScoredCandidate<Number>* bar = selection.bar();
        if (bar == nullptr) return false;
        if (!(bar->score == barScore_)) {
            barScore_ = bar->score;
            bound_ = productsBelowScore(barScore_, numMethods_);
        }
        return product.combinesBelow(bound_);
    }

private:
    int32_t numMethods_;
    bool enabled_;
    Number barScore_{};
    double bound_ = 0.0;  // productsBelowScore(barScore_)
};

}  // namespace cclp
