// The course of a scoring run, written once for both number formats and
// both record families: check the format, size one working block, form the
// candidates in input order (every edge, or every pair i < j, i-major), drop
// those of the wrong polarity, score the rest against every method, keep
// the best maxNumResults in rank order (or the first, when not sorting),
// bring the output to min(kept, maxNumResults) records and write them.
// Nothing in the output changes before the sizing step.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "engine/candidate_selection.hpp"
#include "cclp_score/cclp_score_params.h"
#include "cclp_score/cclp_status.h"
#include "frame/check.hpp"
#include "frame/cleanup_frame.hpp"
#include "engine/combine.hpp"
#include "engine/evaluate.hpp"
#include "frame/fixed_point.hpp"
#include "engine/measure.hpp"
#include "engine/number_formats.hpp"
#include "engine/pair_window.hpp"
#include "engine/root_shortcut.hpp"
#include "engine/runs.hpp"
#include "engine/score_batch.hpp"
#include "engine/scored_candidate.hpp"
#include "engine/working_block.hpp"

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
    ScoringRun(const Input& input, const cclp_scoreParams& params, Output& output,
               const RunShortcuts& shortcuts)
        : input_(input),
          params_(params),
          output_(output),
          numEdges_(input.numEdges),
          numMethods_(params.numScoreMethods),
          pairs_(params.numDesiredEdges == 2),
          rule_{params.maxNumResults, params.sortByScore == 1},
          keepRecords_(shortcuts.keepRecords),
          windowPairs_(shortcuts.windowPairs),
          rootShortcut_(numMethods_, shortcuts.skipRoots) {}

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
        CCLP_RETURN_IF_FAILED(block_.allocate(plan_));
        frame.freeAlways(&block_.memory);
        CCLP_RETURN_IF_FAILED(widthStatus);
        prepareScan();
        const AttentionPolls polls = pairs_ ? Format::kPairPolls : kSingleEdgePolls;
        CCLP_RETURN_IF_FAILED(pairs_ ? scanPairsByWindowOrAll(polls) : scanSingleEdges(polls));
        CCLP_RETURN_IF_FAILED(rankCandidates(polls));
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
        return planWorkingBlock<Number>(numEdges_, numMethods_, pairs_, rule_, plan_);
    }

    bool fillsFixedFields() const { return (input_.formats & CCLP_FORMAT_FIXED) != 0; }

    // Lays the selection and the batch over the block, and decides once
    // whether every method may be applied to whole batches.
    void prepareScan() {
        selection_ = CandidateSelection<Number>(block_.kept, rule_);
        batch_ = ScoreBatch<Edge>(block_.batchScores, block_.batchEdges, plan_.batch);
        const typename Format::Method* methods = Format::methods(params_);
        for (int32_t m = 0; m < numMethods_ && !checked_; ++m) {
            checked_ = !evaluatesQuietly<Edge>(methods[m], pairs_, width_);
        }
        if (checked_) batch_.scoreOneByOne();
    }

    int32_t scanSingleEdges(const AttentionPolls& polls) {
        const Edge* edges = Format::edges(input_);
        const int32_t polarity = params_.desiredEdges[0].polarity;
        for (int32_t i = 0; i < numEdges_; ++i) {
            if (polls.everyFourthEdge && i % 4 == 0) CCLP_RETURN_IF_FAILED(poll<false>(-1));
            batch_.addIf(i, passesPolarity(edges[i].contrast, polarity));
            if (batch_.full()) CCLP_RETURN_IF_FAILED(scoreBatch<false>(-1));
        }
        return scoreBatch<false>(-1);
    }

    int32_t scanPairs(const AttentionPolls& polls) {
        const Edge* edges = Format::edges(input_);
        const int32_t firstPolarity = params_.desiredEdges[0].polarity;
        const int32_t secondPolarity = params_.desiredEdges[1].polarity;
        for (int32_t i = 0; i < numEdges_; ++i) {
            if (polls.eachFirstEdge) CCLP_RETURN_IF_FAILED(csys_attention_check());
            if (!passesPolarity(edges[i].contrast, firstPolarity)) continue;
            for (int32_t j = i + 1; j < numEdges_; ++j) {
                if (polls.eachSecondEdge) CCLP_RETURN_IF_FAILED(poll<true>(i));
                batch_.addIf(j, passesPolarity(edges[j].contrast, secondPolarity));
                if (batch_.full()) CCLP_RETURN_IF_FAILED(scoreBatch<true>(i));
            }
            CCLP_RETURN_IF_FAILED(scoreBatch<true>(i));
        }
        return CCLP_STATUS_OK;
    }

    // A sorting run over ascending edges whose methods score quietly and
    // include one with a window scores only the pairs of the window, then
    // fills the places left with zero-score pairs as the full scan ranks
    // them. It polls exactly where the full scan polls.
    // Below kMinWindowEdges edges the full scan costs less than finding and
    // following the window.
    int32_t scanPairsByWindowOrAll(const AttentionPolls& polls) {
        constexpr int32_t kMinWindowEdges = 12;
        if (!windowPairs_ || checked_ || !rule_.ranked || rule_.limit <= 0 ||
            numEdges_ < kMinWindowEdges) {
            return scanPairs(polls);
        }
        const auto window = PairWindow<Edge>::find(Format::methods(params_), numMethods_,
                                                   Format::edges(input_), numEdges_, width_);
        if (!window) return scanPairs(polls);
        PairWindow<Edge> scanned = *window;
        CCLP_RETURN_IF_FAILED(scanPairWindows(polls, scanned));
        PairWindow<Edge> filled = *window;
        return fillWithZeroScores(filled);
    }

    bool passesFirst(int32_t i) const {
        return passesPolarity(Format::edges(input_)[i].contrast, params_.desiredEdges[0].polarity);
    }
    bool passesSecond(int32_t j) const {
        return passesPolarity(Format::edges(input_)[j].contrast, params_.desiredEdges[1].polarity);
    }

    // Second edges in [from, to) that pass their polarity test.
    int32_t passingSeconds(int32_t from, int32_t to) const {
        int32_t count = 0;
        for (int32_t j = from; j < to; ++j) count += passesSecond(j) ? 1 : 0;
        return count;
    }

    // The pairs of each first edge are numbered on from `formed`, as the
    // full scan forms them; only those of the window are scored.
    int32_t scanPairWindows(const AttentionPolls& polls, PairWindow<Edge>& window) {
        int32_t formed = 0;
        int32_t secondsAfter = passingSeconds(0, numEdges_);  // passing in (i, n)
        for (int32_t i = 0; i < numEdges_; ++i) {
            secondsAfter -= passesSecond(i) ? 1 : 0;
            if (polls.eachFirstEdge) CCLP_RETURN_IF_FAILED(csys_attention_check());
            if (!passesFirst(i)) continue;
            for (int32_t j = i + 1; polls.eachSecondEdge && j < numEdges_; ++j) {
                CCLP_RETURN_IF_FAILED(csys_attention_check());
            }
            window.moveTo(i);
            formed_ = formed + passingSeconds(i + 1, window.begin());
            for (int32_t j = window.begin(); j < window.end(); ++j) {
                batch_.addIf(j, passesSecond(j));
                if (batch_.full()) CCLP_RETURN_IF_FAILED(scoreBatch<true>(i));
            }
            CCLP_RETURN_IF_FAILED(scoreBatch<true>(i));
            formed += secondsAfter;
        }
        return CCLP_STATUS_OK;
    }

    // Offers the pairs outside the windows, all of which score 0, in
    // ascending order of their number for each first edge, until none can
    // rank before the selection's bar: the centre grows with either edge,
    // and among equal centres the lower number ranks first.
    int32_t fillWithZeroScores(PairWindow<Edge>& window) {
        int32_t formed = 0;
        int32_t secondsAfter = passingSeconds(0, numEdges_);
        for (int32_t i = 0; i + 1 < numEdges_; ++i) {
            secondsAfter -= passesSecond(i) ? 1 : 0;
            if (!passesFirst(i)) continue;
            if (!mayRankBeforeBar(i, i + 1, formed)) break;
            window.moveTo(i);
            int32_t number = formed;
            for (int32_t j = i + 1; j < numEdges_; ++j) {
                if (j == window.begin() && j < window.end()) {
                    number += passingSeconds(j, window.end());
                    j = window.end() - 1;
                    continue;
                }
                if (!passesSecond(j)) continue;
                if (!mayRankBeforeBar(i, j, number)) break;
                formed_ = number++;
                batch_.addIf(j, true);
                CCLP_RETURN_IF_FAILED(scoreBatch<true>(i));
            }
            formed += secondsAfter;
        }
        return CCLP_STATUS_OK;
    }

    bool mayRankBeforeBar(int32_t i, int32_t j, int32_t number) const {
        const Candidate* bar = selection_.bar();
        if (bar == nullptr) return true;
        const Edge* edges = Format::edges(input_);
        const Number centre = measure::halve(measure::add(edges[i].position, edges[j].position));
        return ranksBefore(Candidate{Number{0}, centre, number}, *bar);
    }

    // Polls for attention during the scan. A run told to stop first scores
    // the candidates it has gathered, as a run scoring each candidate at
    // once would have: only what their evaluation reports can be seen.
    template <bool Pairs>
    int32_t poll(int32_t first) {
        const int32_t status = csys_attention_check();
        if (status < 0) (void)scoreBatch<Pairs>(first);
        return status;
    }

    // Scores the gathered candidates (single edges, or the pairs of the
    // first edge given), combines each one's method scores and offers it to
    // the selection in the order of forming.
    template <bool Pairs>
    int32_t scoreBatch(int32_t first) {
        const int32_t size = batch_.size();
        if (size == 0) return CCLP_STATUS_OK;
        const Edge* edges = Format::edges(input_);
        const Edge* firstEdge = Pairs ? &edges[first] : nullptr;
        CCLP_RETURN_IF_FAILED(batch_.scoreAll(Format::methods(params_), numMethods_, edges,
                                              firstEdge, params_.desiredEdges, width_, checked_));
        for (int32_t t = 0; t < size; ++t) {
            const int32_t j = batch_.edge(t);
            ScoreProduct<Number> product(numMethods_);
            for (int32_t m = 0; m < numMethods_; ++m) product.add(batch_.score(m, t));
            if (rootShortcut_.passesOver(product, selection_)) continue;
            Number* row = nullptr;
            if constexpr (Pairs) {
                // A pair is known by its number in the order of forming.
                const Number position =
                    measure::halve(measure::add(firstEdge->position, edges[j].position));
                row = selection_.admit(product.combined(), position, formed_ + t, {first, j});
            } else {
                row = selection_.admit(product.combined(), edges[j].position, j, {j, j});
            }
            if (row == nullptr) continue;
            for (int32_t m = 0; m < numMethods_; ++m) row[m] = batch_.score(m, t);
        }
        formed_ += size;
        batch_.clear();
        return CCLP_STATUS_OK;
    }

    // Polls once more after the scan, before or after ranking.
    int32_t rankCandidates(const AttentionPolls& polls) {
        if (!polls.afterSorting) CCLP_RETURN_IF_FAILED(csys_attention_check());
        selection_.finish();
        if (polls.afterSorting) CCLP_RETURN_IF_FAILED(csys_attention_check());
        return CCLP_STATUS_OK;
    }

    // The selection holds min(kept candidates, maxNumResults) of them.
    int32_t writeOutput() {
        CCLP_RETURN_IF_FAILED(Records::resize(&output_, selection_.count(), keepRecords_));
        if (output_.numResults <= 0) return CCLP_STATUS_OK;
        const int32_t status = writeResults();
        if (status < 0) Records::discard(&output_);
        return status;
    }

    int32_t writeResults() {
        for (int32_t r = 0; r < output_.numResults; ++r) {
            Record& record = output_.results[r];
            const Candidate& candidate = selection_[r];
            const CandidateEdges edges = selection_.edgesOf(candidate);
            CCLP_RETURN_IF_FAILED(
                Records::prepare(&record, input_.formats, numMethods_, pairs_ ? 2 : 1));
            const Number* scores = selection_.rowOf(candidate);
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
    void writeFields(Record& record, const CandidateEdges& edges, FieldNumber position,
                     FieldNumber score, const Number* scores, Convert convert) const {
        using Fields = NumberFormat<FieldNumber>;
        Fields::position(record) = position;
        Fields::score(record) = score;
        const auto* inputEdges = Fields::edges(input_);
        auto* recordEdges = Fields::edges(record);
        recordEdges[0] = inputEdges[edges.first];
        if (pairs_) recordEdges[1] = inputEdges[edges.second];
        auto* recordScores = Fields::scores(record);
        for (int32_t m = 0; m < numMethods_; ++m) recordScores[m] = convert(scores[m]);
    }

    const Input& input_;
    const cclp_scoreParams& params_;
    Output& output_;
    const int32_t numEdges_;
    const int32_t numMethods_;
    const bool pairs_;
    const SelectionRule rule_;
    const bool keepRecords_;
    const bool windowPairs_;
    Number width_{};
    BlockPlan plan_{};
    WorkingBlock<Number> block_;
    CandidateSelection<Number> selection_{{}, {0, false}};
    ScoreBatch<Edge> batch_{nullptr, nullptr, 0};
    RootShortcut<Number> rootShortcut_;
    bool checked_ = false;
    int32_t formed_ = 0;  // candidates scored so far
};

}  // namespace cclp
