// A recording's score parameters and edges, built through the C++ interface after
// checking that every method suits the edge model and that the run fits
// the module's 32-bit counts.
#pragma once

#include "cclp_score/cclp_score.hpp"
#include "recording/recording.hpp"

namespace cclp_recording {

// Throws InputError for a setting the module refuses, RunError when it
// cannot build the record (out of memory).
cclp::score::Params buildParams(const Recording& recording);

// The module's copies of a recording's edges in its formats: Edges, or
// EdgesEx for a recording that needsExtendedRun(). Throws RunError when
// they cannot be built (out of memory).
template <class Edges>
Edges buildEdges(const Recording& recording);
extern template cclp::score::Edges buildEdges<cclp::score::Edges>(const Recording&);
extern template cclp::score::EdgesEx buildEdges<cclp::score::EdgesEx>(const Recording&);

// The checks of buildParams that need no module record.
void checkMethodsSuitEdgeModel(const Recording& recording);
void checkRunSize(const Recording& recording);
// An expected winner's edges exist and are as many as a candidate has, in
// the order a run forms them; InputError on expect.edges otherwise.
void checkExpectation(const Recording& recording);
// Every check of buildParams, for a door that reads a recording to score later.
void checkRunInputs(const Recording& recording);

}  // namespace cclp_recording
