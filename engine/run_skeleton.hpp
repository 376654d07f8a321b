// The course of a scoring run, written once for both number formats and
// both record families: check the format, size one working block, form the
// candidates in input order (every edge, or every pair i < j, i-major), drop
// those of the wrong polarity, score the rest against every method, sort
// when asked, bring the output to min(kept, maxNumResults) records and write
// them. Nothing in the output changes before the sizing step.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <utility>

#include "cclp_score/cclp_score_params.h"
#include "cclp_score/cclp_status.h"
#include "check.hpp"
#include "cleanup_frame.hpp"
#include "combine.hpp"
#include "evaluate.hpp"
#include "fixed_point.hpp"
#include "measure.hpp"
#include "number_formats.hpp"
#include "scored_candidate.hpp"
#include "working_block.hpp"

namespace cclp {

// Polarity 1 wants contrast >= 0, polarity 2 contrast <= 0, any other value
// every edge; a contrast of 0 passes both.
template <class Number>
bool passesPolarity(Number contrast, int32_t polarity) {
    if (polarity == cclp_polarityPositive) return contrast >= 0;
    if (polarity == cclp_polarityNegative) return contrast <= 0;
    return true;
}

template <class Number, class Records>
class ScoringRun {
    using Format = NumberFormat<Number>;
    using Input = typename Records::Input;
    using Output = typename Records::Output;
    using Record = typename Records::Record;
    using Edge = std::remove_cvref_t<decltype(*Format::edges(std::declval<const Input&>()))>;
    using Candidate = ScoredCandidate<Number>;

public:
    ScoringRun(const Input& input, const cclp_scoreParams& params, Output& output)
        : input_(input),
          params_(params),
          output_(output),
          numEdges_(input.numEdges),
          numMethods_(params.numScoreMethods),
          pairs_(params.numDesiredEdges == 2) {}

    int32_t run() {
        CleanupFrame<2> frame;
        return frame.close(runInFrame(frame));
    }

private:
    int32_t runInFrame(CleanupFrame<2>& frame) {
        if ((input_.formats & Format::kFormatBit) == 0) return CCLP_STATUS_FORMAT_NOT_VALID;
        CCLP_RETURN_IF_FAILED(checkArguments());
        // The width is checked only once the block exists, as the fixed
        // format reports an unusable width after a failed allocation.
        const int32_t widthStatus =
            pairs_ ? Format::expectedWidth(params_, width_) : CCLP_STATUS_OK;
        CCLP_RETURN_IF_FAILED(block_.allocate(blockSize_, pairs_, numMethods_));
        frame.freeAlways(&block_.memory);
        CCLP_RETURN_IF_FAILED(widthStatus);
        const AttentionPolls polls = pairs_ ? Format::kPairPolls : kSingleEdgePolls;
        CCLP_RETURN_IF_FAILED(pairs_ ? scanPairs(polls) : scanSingleEdges(polls));
        CCLP_RETURN_IF_FAILED(sortCandidates(polls));
        return writeOutput();
    }

    // Refuses, before anything is allocated or written, what the run could
    // not process soundly: negative counts, missing arrays, and inputs too
    // large for 32-bit counts.
    int32_t checkArguments() {
        const bool countsValid = numEdges_ >= 0 && numMethods_ >= 0 &&
                                 params_.maxNumResults >= 0 && params_.numDesiredEdges >= 1;
        CCLP_ASSERT(countsValid);
        if (!countsValid) return CSYS_STATUS_INVALID_ARGUMENT;
        CCLP_REQUIRE_NONNULL(params_.desiredEdges);
        if (numMethods_ > 0) CCLP_REQUIRE_NONNULL(Format::methods(params_));
        if (numEdges_ > 0) CCLP_REQUIRE_NONNULL(Format::edges(input_));
        if constexpr (Format::kFillsFixedFieldsToo) {
            if (numEdges_ > 0 && fillsFixedFields()) CCLP_REQUIRE_NONNULL(input_.edgesFixed);
        }
        return planWorkingBlock<Number>(numEdges_, numMethods_, pairs_, blockSize_);
    }

    bool fillsFixedFields() const { return (input_.formats & CCLP_FORMAT_FIXED) != 0; }

    int32_t scanSingleEdges(const AttentionPolls& polls) {
        const Edge* edges = Format::edges(input_);
        const int32_t polarity = params_.desiredEdges[0].polarity;
        for (int32_t i = 0; i < numEdges_; ++i) {
            if (polls.everyFourthEdge && i % 4 == 0) CCLP_RETURN_IF_FAILED(csys_attention_check());
            if (!passesPolarity(edges[i].contrast, polarity)) continue;
            // Rows are indexed by edge, so rejected edges leave gaps.
            CCLP_RETURN_IF_FAILED(addCandidate(&edges[i], 1, i, edges[i].position));
        }
        return CCLP_STATUS_OK;
    }

    int32_t scanPairs(const AttentionPolls& polls) {
        const Edge* edges = Format::edges(input_);
        const int32_t firstPolarity = params_.desiredEdges[0].polarity;
        const int32_t secondPolarity = params_.desiredEdges[1].polarity;
        for (int32_t i = 0; i < numEdges_; ++i) {
            if (polls.eachFirstEdge) CCLP_RETURN_IF_FAILED(csys_attention_check());
            if (!passesPolarity(edges[i].contrast, firstPolarity)) continue;
            for (int32_t j = i + 1; j < numEdges_; ++j) {
                if (polls.eachSecondEdge) CCLP_RETURN_IF_FAILED(csys_attention_check());
                if (!passesPolarity(edges[j].contrast, secondPolarity)) continue;
                const int32_t k = kept_;
                block_.firstEdgeIndex[k] = i;
                block_.secondEdgeIndex[k] = j;
                const Edge pair[2] = {edges[i], edges[j]};
                const Number position =
                    measure::halve(measure::add(pair[0].position, pair[1].position));
                CCLP_RETURN_IF_FAILED(addCandidate(pair, 2, k, position));
            }
        }
        return CCLP_STATUS_OK;
    }

    Number* rowOf(int32_t index) const {
        return block_.methodScores + static_cast<size_t>(index) * static_cast<size_t>(numMethods_);
    }

    // Scores the candidate against every method into its row and appends it.
    int32_t addCandidate(const Edge* edges, int32_t count, int32_t index, Number position) {
        const typename Format::Method* methods = Format::methods(params_);
        Number* scores = rowOf(index);
        ScoreProduct<Number> product(numMethods_);
        for (int32_t m = 0; m < numMethods_; ++m) {
            CCLP_RETURN_IF_FAILED(evaluateScoreMethod(&methods[m], count, edges,
                                                      params_.desiredEdges, width_, &scores[m]));
            product.add(scores[m]);
        }
        block_.candidates[kept_++] = Candidate{product.combined(), position, index};
        return CCLP_STATUS_OK;
    }

    // Polls once more after the scan, before or after sorting.
    int32_t sortCandidates(const AttentionPolls& polls) {
        if (!polls.afterSorting) CCLP_RETURN_IF_FAILED(csys_attention_check());
        if (params_.sortByScore == 1) {
            std::qsort(block_.candidates, static_cast<size_t>(kept_), sizeof(Candidate),
                       &compareScoredCandidates<Number>);
        }
        if (polls.afterSorting) CCLP_RETURN_IF_FAILED(csys_attention_check());
        return CCLP_STATUS_OK;
    }

    int32_t writeOutput() {
        const int32_t count = kept_ < params_.maxNumResults ? kept_ : params_.maxNumResults;
        CCLP_RETURN_IF_FAILED(Records::resize(&output_, count));
        if (output_.numResults <= 0) return CCLP_STATUS_OK;
        const int32_t status = writeResults();
        if (status < 0) Records::discard(&output_);
        return status;
    }

    struct EdgeIndices {
        int32_t at[2];
        int32_t count;
    };

    EdgeIndices edgesOf(const Candidate& candidate) const {
        if (!pairs_) return EdgeIndices{{candidate.index, 0}, 1};
        return EdgeIndices{{block_.firstEdgeIndex[candidate.index],
                            block_.secondEdgeIndex[candidate.index]},
                           2};
    }

    int32_t writeResults() {
        for (int32_t r = 0; r < output_.numResults; ++r) {
            Record& record = output_.results[r];
            const Candidate& candidate = block_.candidates[r];
            const EdgeIndices edges = edgesOf(candidate);
            CCLP_RETURN_IF_FAILED(
                Records::prepare(&record, input_.formats, numMethods_, edges.count));
            const Number* scores = rowOf(candidate.index);
            writeFields<Number>(record, edges, candidate.position, candidate.score, scores,
                                [](Number value) { return value; });
            if constexpr (Format::kFillsFixedFieldsToo) {
                if (fillsFixedFields()) {
                    writeFields<int32_t>(record, edges, round256(candidate.position),
                                         round256(candidate.score), scores,
                                         [](Number value) { return round256(value); });
                }
            }
        }
        return CCLP_STATUS_OK;
    }

    // Writes the fields of one number format: position, score, whole copies
    // of the candidate's input edges of that format, and the method scores.
    template <class FieldNumber, class Convert>
    void writeFields(Record& record, const EdgeIndices& edges, FieldNumber position,
                     FieldNumber score, const Number* scores, Convert convert) const {
        using Fields = NumberFormat<FieldNumber>;
        Fields::position(record) = position;
        Fields::score(record) = score;
        const auto* inputEdges = Fields::edges(input_);
        auto* recordEdges = Fields::edges(record);
        for (int32_t e = 0; e < edges.count; ++e) recordEdges[e] = inputEdges[edges.at[e]];
        auto* recordScores = Fields::scores(record);
        for (int32_t m = 0; m < numMethods_; ++m) recordScores[m] = convert(scores[m]);
    }

    const Input& input_;
    const cclp_scoreParams& params_;
    Output& output_;
    const int32_t numEdges_;
    const int32_t numMethods_;
    const bool pairs_;
    Number width_{};
    BlockSize blockSize_{};
    WorkingBlock<Number> block_;
    int32_t kept_ = 0;
};

}  // namespace cclp
