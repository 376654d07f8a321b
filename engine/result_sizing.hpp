// Fitting a caller's scored result set to the results a run writes: the
// set to the number of results, each record's arrays to the run's formats,
// method count and edges per candidate. A set or record that already fits
// keeps its memory, so a repeated run allocates nothing for its output.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_results.h"

namespace cclp {

// Brings the set to exactly n records: those it holds when it already holds
// n, otherwise n freshly constructed ones (all old records reset first).
int32_t resizeScoreResultSet(cclp_scoreResultSet* set, int32_t n);
int32_t resizeScoreResultSetEx(cclp_scoreResultSetEx* set, int32_t n);

// Brings the set to exactly n records as a run needs them. A set that grows
// keeps the records it holds and constructs the missing ones; a set that
// shrinks resets the records beyond n and keeps its array. The kept ones,
// once prepared and written, read as constructed ones would. A run whose
// result count goes up and down thus allocates nothing for records it held
// before.
int32_t fitScoreResultSet(cclp_scoreResultSet* set, int32_t n);
int32_t fitScoreResultSetEx(cclp_scoreResultSetEx* set, int32_t n);

// Sets the record's header and sizes the arrays of the formats marked in
// formats; releases those of unmarked formats. Values are not cleared.
int32_t prepareScoreOneResult(cclp_scoreOneResult* record, uint32_t formats, int32_t numScores,
                              int32_t numEdges);
int32_t prepareScoreOneResultEx(cclp_scoreOneResultEx* record, uint32_t formats,
                                int32_t numScores, int32_t numEdges);

// Resets every record, last first, and leaves the set counting none, so
// that results a run could not finish writing leak nothing.
void discardScoreResults(cclp_scoreResultSet* set);
void discardScoreResultsEx(cclp_scoreResultSetEx* set);

}  // namespace cclp
