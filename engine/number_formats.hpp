// The two number formats a scoring run can work in, as traits: which edges,
// score methods and result fields each reads and writes, its unit score, the
// expected pair width, and where its pair scan polls for attention. The run
// skeleton (run_skeleton.hpp) is written once over these.
#pragma once

#include <cmath>
#include <cstdint>

#include "cclp_caliper.h"
#include "cclp_score/cclp_score_params.h"
#include "cclp_score/cclp_status.h"
#include "frame/check.hpp"
#include "cmath_lib.h"
#include "frame/fixed_point.hpp"

namespace cclp {

// Where a run polls for attention while it forms candidates; after the scan
// it polls once more, before or after sorting.
struct AttentionPolls {
    bool everyFourthEdge;
    bool eachFirstEdge;
    bool eachSecondEdge;
    bool afterSorting;
};

// Both formats poll the same way over single edges.
inline constexpr AttentionPolls kSingleEdgePolls{true, false, false, false};

template <class Number>
struct NumberFormat;

template <>
struct NumberFormat<double> {
    using Method = cclp_score;
    static constexpr uint32_t kFormatBit = CCLP_FORMAT_DOUBLE;
    static constexpr double kFullScore = 1.0;
    // Method 10 reports a pair whose edges are out of order.
    static constexpr bool kEdgePosChecksOrder = true;
    static constexpr AttentionPolls kPairPolls{false, true, false, true};
    // When the input carries fixed-point edges as well, the results get
    // their fixed-point fields too.
    static constexpr bool kFillsFixedFieldsToo = true;

    static const Method* methods(const cclp_scoreParams& params) { return params.scoreMethods; }
    template <class Holder>
    static auto& edges(Holder& holder) {
        return holder.edges;
    }
    template <class Record>
    static auto& position(Record& record) {
        return record.position;
    }
    template <class Record>
    static auto& score(Record& record) {
        return record.score;
    }
    template <class Record>
    static auto& scores(Record& record) {
        return record.scores;
    }

    // The distance of the two desired edges. A zero width is only reported:
    // the pair methods then divide by it as the caller asked.
    static int32_t expectedWidth(const cclp_scoreParams& params, double& width) {
        width = std::fabs(params.desiredEdges[1].position - params.desiredEdges[0].position);
        CCLP_ASSERT(cmath_double_epsilonEqual(width, 0.0, 1e-15) == 0);
        return CCLP_STATUS_OK;
    }
};

template <>
struct NumberFormat<int32_t> {
    using Method = cclp_scoreFixed;
    static constexpr uint32_t kFormatBit = CCLP_FORMAT_FIXED;
    static constexpr int32_t kFullScore = 256;
    static constexpr bool kEdgePosChecksOrder = false;
    // The pair scan grows as n^2, so it polls before every second edge.
    static constexpr AttentionPolls kPairPolls{false, false, true, false};
    static constexpr bool kFillsFixedFieldsToo = false;

    static const Method* methods(const cclp_scoreParams& params) {
        return params.scoreMethodsFixed;
    }
    template <class Holder>
    static auto& edges(Holder& holder) {
        return holder.edgesFixed;
    }
    template <class Record>
    static auto& position(Record& record) {
        return record.positionFixed;
    }
    template <class Record>
    static auto& score(Record& record) {
        return record.scoreFixed;
    }
    template <class Record>
    static auto& scores(Record& record) {
        return record.scoresFixed;
    }

    // The distance of the two desired edges in 1/256 units, rounded; the
    // pair methods divide by it, so it must be at least one unit.
    static int32_t expectedWidth(const cclp_scoreParams& params, int32_t& width) {
        width = round256(
            std::fabs(params.desiredEdges[1].position - params.desiredEdges[0].position));
        return width > 0 ? CCLP_STATUS_OK : CCLP_STATUS_ZERO_PAIR_WIDTH;
    }
};

}  // namespace cclp
