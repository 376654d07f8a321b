// The plain and extended record families a run reads and writes, as traits
// for the run skeleton: input caliper result set, output scored result set,
// and the operations that size and release the output.
#pragma once

#include "cclp_score/cclp_result_set_ex.h"
#include "cclp_score/cclp_results.h"
#include "engine/result_sizing.hpp"

namespace cclp {

struct PlainRecords {
    using Input = cclp_resultSet;
    using Output = cclp_scoreResultSet;
    using Record = cclp_scoreOneResult;
    static int32_t resize(Output* set, int32_t n, bool keep) {
        return keep ? fitScoreResultSet(set, n) : resizeScoreResultSet(set, n);
    }
    static int32_t prepare(Record* record, uint32_t formats, int32_t numScores, int32_t numEdges) {
        return prepareScoreOneResult(record, formats, numScores, numEdges);
    }
    static void discard(Output* set) { discardScoreResults(set); }
};

struct ExtendedRecords {
    using Input = cclp_resultSetEx;
    using Output = cclp_scoreResultSetEx;
    using Record = cclp_scoreOneResultEx;
    static int32_t resize(Output* set, int32_t n, bool keep) {
        return keep ? fitScoreResultSetEx(set, n) : resizeScoreResultSetEx(set, n);
    }
    static int32_t prepare(Record* record, uint32_t formats, int32_t numScores, int32_t numEdges) {
        return prepareScoreOneResultEx(record, formats, numScores, numEdges);
    }
    static void discard(Output* set) { discardScoreResultsEx(set); }
};

}  // namespace cclp
