// Whole scoring runs, cclp_runScore and cclp_runScoreEx, over inputs decoded
// from arbitrary bytes: edges in either or both formats (or missing arrays),
// desired edges, score methods and settings set through the exported
// setters, an output that may already hold results, and an injected
// allocation or attention failure. Each run is checked against what can be
// worked out from its arguments alone:
// - the status is the one the arguments call for, or the injected failure;
// - the input and the parameters are unchanged, and nothing leaks;
// - a run refused before sizing leaves the output exactly as it was;
// - a successful run keeps min(candidates, maxNumResults) records with the
//   run's counts and formats; an unsorted run gives the candidates in the
//   order they are formed (every edge, or every pair i < j, i-major, of the
//   right polarity) with copies of their edges; a sorting run gives the best
//   of those, highest score first, lower position first among equals, at
//   limits from 0 to beyond the number of candidates;
// - floating-point scores are finite (in [0, 1] up to the ramp formula's
//   rounding) and fixed-point ones are not negative; a candidate with a
//   method score of 0 or less scores 0; the fixed fields of a
//   floating-point run are its rounded double fields, and a run writes no
//   field of a format it does not mark;
// - plain and extended runs agree when no method reads the extras;
// - with the bytes left over, a well-conditioned fixed-point run scores as
//   its floating-point twin does, within the rounding of 1/256 units.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "cclp_score/cclp_run.h"
#include "cclp_score/cclp_score_params.h"
#include "fuzz/fuzz_format_agreement.hpp"
#include "fuzz/fuzz_forms.hpp"
#include "fuzz/fuzz_methods.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

using cclp::fuzz::Bytes;
using cclp::fuzz::bytesOf;
using cclp::fuzz::Injection;
using cclp::fuzz::referenceRound256;
using cclp::fuzz::sameBits;

using cclp::fuzz::ExtendedForm;
using cclp::fuzz::PlainForm;
template <class Form>
using OwnedOutput = cclp::fuzz::OwnedSet<Form>;

template <class T>
void append(Bytes& bytes, const T& value) {
    const auto* first = reinterpret_cast<const unsigned char*>(&value);
    bytes.insert(bytes.end(), first, first + sizeof value);
}

using OwnedParams =
    cclp::fuzz::Owned<cclp_scoreParams, cclp_scoreParams_construct, cclp_scoreParams_destruct>;

// Parameters owned as a copy of others.
struct ParamsCopy : OwnedParams {
    explicit ParamsCopy(const cclp_scoreParams& source) {
        FUZZ_CHECK(cclp_scoreParams_assign(&value, &source) == 0);
    }
};

// ---- decoding ----

// A position or contrast: mostly a moderate multiple of 1/32, sometimes any
// double (NaN and the infinities included).
double readCoordinate(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return cclp::fuzz::readDouble(in);
    return in.ConsumeIntegralInRange<int32_t>(-8192, 8192) / 32.0;
}

// The fixed-point twin of a coordinate: mostly its rounding, sometimes any
// 32-bit value.
int32_t readFixed(FuzzedDataProvider& in, double coordinate) {
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return in.ConsumeIntegral<int32_t>();
    return referenceRound256(coordinate);
}

// The input in both forms over the same edges; the plain form drops the
// extras.
struct Input {
    std::vector<cclp_edgeEx> edgesEx;
    std::vector<cclp_edgeFixedEx> edgesFixedEx;
    std::vector<cclp_edge> edges;
    std::vector<cclp_edgeFixed> edgesFixed;
    cclp_resultSet plain{};
    cclp_resultSetEx extended{};

    // Pair runs grow as the square of the edge count: fewer edges there.
    void read(FuzzedDataProvider& in, bool pairs) {
        const uint32_t formats = in.ConsumeIntegralInRange<int>(0, 15) == 0
                                     ? in.ConsumeIntegral<uint32_t>()
                                     : in.ConsumeIntegralInRange<uint32_t>(0, 3);
        int32_t numEdges = in.ConsumeIntegralInRange<int32_t>(0, 40);
        if (!pairs && in.ConsumeIntegralInRange<int>(0, 3) == 0) numEdges *= 4;
        for (int32_t i = 0; i < numEdges; ++i) {
            cclp_edgeEx edge{};
            cclp_edgeFixedEx fixed{};
            edge.position = readCoordinate(in);
            edge.contrast = readCoordinate(in);
            fixed.position = readFixed(in, edge.position);
            fixed.contrast = readFixed(in, edge.contrast);
            if (in.ConsumeBool()) {
                edge.extra1 = readCoordinate(in);
                edge.extra2 = readCoordinate(in);
                edge.extra3 = readCoordinate(in);
                fixed.extra1 = readFixed(in, edge.extra1);
                fixed.extra2 = readFixed(in, edge.extra2);
                fixed.extra3 = readFixed(in, edge.extra3);
            }
            edgesEx.push_back(edge);
            edgesFixedEx.push_back(fixed);
            edges.push_back({edge.position, edge.contrast});
            edgesFixed.push_back({fixed.position, fixed.contrast});
        }
        // An array that formats does not mark may be missing; rarely one
        // that it marks is missing too, or the count is negative.
        const bool keepDouble = (formats & CCLP_FORMAT_DOUBLE) != 0 || in.ConsumeBool();
        const bool keepFixed = (formats & CCLP_FORMAT_FIXED) != 0 || in.ConsumeBool();
        const int broken = in.ConsumeIntegralInRange<int>(0, 31);
        plain.numEdges = extended.numEdges = broken == 0 ? -numEdges - 1 : numEdges;
        plain.formats = extended.formats = formats;
        const bool dropDouble = !keepDouble || broken == 1;
        const bool dropFixed = !keepFixed || broken == 2;
        plain.edges = dropDouble ? nullptr : edges.data();
        extended.edges = dropDouble ? nullptr : edgesEx.data();
        plain.edgesFixed = dropFixed ? nullptr : edgesFixed.data();
        extended.edgesFixed = dropFixed ? nullptr : edgesFixedEx.data();
    }

    template <class Form>
    const typename Form::Input& as() const {
        if constexpr (Form::kExtended) {
            return extended;
        } else {
            return plain;
        }
    }
};

int32_t readPolarity(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return in.ConsumeIntegral<int32_t>();
    return in.ConsumeIntegralInRange<int32_t>(1, 3);
}

// Sets the parameters through the exported setters, checking each setter's
// status on the way; refused settings keep the previous (default) values.
void readParams(FuzzedDataProvider& in, cclp_scoreParams& params) {
    const int32_t numDesired = in.ConsumeIntegralInRange<int32_t>(0, 7) == 0
                                   ? in.ConsumeIntegralInRange<int32_t>(0, 3)
                                   : in.ConsumeIntegralInRange<int32_t>(1, 2);
    cclp_desiredEdge desired[3] = {};
    for (cclp_desiredEdge& edge : desired) {
        edge.position = readCoordinate(in);
        edge.polarity = readPolarity(in);
    }
    const int32_t desiredStatus = cclp_scoreParams_setDesiredEdges(&params, numDesired, desired);
    if (numDesired != 1 && numDesired != 2) {
        FUZZ_CHECK(desiredStatus == CCLP_STATUS_BAD_DESIRED_EDGE_COUNT);
    } else if (numDesired == 2 &&
               cmath_double_epsilonEqual(std::fabs(desired[0].position - desired[1].position),
                                         0.0, 1e-15) != 0) {
        FUZZ_CHECK(desiredStatus == CCLP_STATUS_ZERO_PAIR_WIDTH);
    } else {
        FUZZ_CHECK(desiredStatus == 0);
    }

    cclp_score methods[5];
    const int32_t numMethods = in.ConsumeIntegralInRange<int32_t>(0, 5);
    for (int32_t m = 0; m < numMethods; ++m) {
        methods[m] = cclp::fuzz::readScoreMethod(in);
        // Stored methods are not validated: rarely make one unusable.
        if (in.ConsumeIntegralInRange<int>(0, 15) == 0) {
            methods[m].method = in.ConsumeIntegral<int32_t>();
        }
    }
    const int32_t methodsStatus = cclp_scoreParams_setScoreMethods(&params, numMethods, methods);
    FUZZ_CHECK(methodsStatus ==
               (numMethods > 0 ? 0 : CCLP_STATUS_SCORE_METHOD_COUNT_NOT_POSITIVE));

    const int32_t maxNumResults = cclp::fuzz::readInt(in, -1, 8);
    FUZZ_CHECK(cclp_scoreParams_setMaxNumResults(&params, maxNumResults) ==
               (maxNumResults > 0 ? 0 : CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE));
    FUZZ_CHECK(cclp_scoreParams_setSortByScore(&params, cclp::fuzz::readInt(in, 0, 2)) == 0);
    for (int updates = in.ConsumeIntegralInRange<int>(0, 2); updates > 0; --updates) {
        const int32_t index = in.ConsumeIntegralInRange<int32_t>(0, params.numScoreMethods - 1);
        const double low = readCoordinate(in);
        const double high = readCoordinate(in);
        FUZZ_CHECK((in.ConsumeBool()
                        ? cclp_scoreParams_updateOneSidedOffset(&params, index, low)
                        : cclp_scoreParams_updateTwoSidedOffsets(&params, index, low, high)) == 0);
    }
}

// ---- what the arguments call for ----

template <class Number>
bool passesPolarity(Number contrast, int32_t polarity) {
    if (polarity == 1) return contrast >= 0;
    if (polarity == 2) return contrast <= 0;
    return true;
}

struct CandidateEdges {
    int32_t first;
    int32_t second;  // -1 for a single edge
};

// The expected outcome of a run without injected failures.
struct Plan {
    int32_t status = 0;
    // Refused before the working block is allocated: no injected failure can
    // come first.
    bool refusedUpFront = false;
    bool doubleRun = false;
    bool pairs = false;
    std::vector<CandidateEdges> candidates;
};

template <class Form>
Plan planRun(const typename Form::Input& input, const cclp_scoreParams& params) {
    Plan plan;
    plan.doubleRun = (input.formats & CCLP_FORMAT_DOUBLE) != 0;
    plan.pairs = params.numDesiredEdges == 2;
    const uint32_t needed = plan.doubleRun ? CCLP_FORMAT_DOUBLE : CCLP_FORMAT_FIXED;
    const bool needsFixedToo = plan.doubleRun && (input.formats & CCLP_FORMAT_FIXED) != 0;
    plan.refusedUpFront = true;
    if ((input.formats & needed) == 0) {
        plan.status = CCLP_STATUS_FORMAT_NOT_VALID;
        return plan;
    }
    if (input.numEdges < 0) {
        plan.status = CSYS_STATUS_INVALID_ARGUMENT;
        return plan;
    }
    const bool missing = plan.doubleRun ? input.edges == nullptr : input.edgesFixed == nullptr;
    if (input.numEdges > 0 && (missing || (needsFixedToo && input.edgesFixed == nullptr))) {
        plan.status = CSYS_STATUS_NULL_ARGUMENT;
        return plan;
    }
    plan.refusedUpFront = false;
    if (!plan.doubleRun && plan.pairs &&
        referenceRound256(std::fabs(params.desiredEdges[1].position -
                                    params.desiredEdges[0].position)) <= 0) {
        plan.status = CCLP_STATUS_ZERO_PAIR_WIDTH;
        return plan;
    }
    const auto contrast = [&](int32_t i) {
        return plan.doubleRun ? input.edges[i].contrast
                              : static_cast<double>(input.edgesFixed[i].contrast);
    };
    const int32_t first = params.desiredEdges[0].polarity;
    for (int32_t i = 0; i < input.numEdges; ++i) {
        if (!passesPolarity(contrast(i), first)) continue;
        if (!plan.pairs) {
            plan.candidates.push_back({i, -1});
            continue;
        }
        for (int32_t j = i + 1; j < input.numEdges; ++j) {
            if (passesPolarity(contrast(j), params.desiredEdges[1].polarity)) {
                plan.candidates.push_back({i, j});
            }
        }
    }
    if (plan.candidates.empty()) return plan;
    for (int32_t m = 0; m < params.numScoreMethods; ++m) {
        const int32_t method = params.scoreMethods[m].method;
        const bool unknown = !cclp::isKnownMethod(method);
        if (plan.pairs && unknown) plan.status = CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR;
        if (!plan.pairs && (unknown || cclp::needsPair(method, Form::kExtended))) {
            plan.status = CCLP_STATUS_METHOD_NEEDS_PAIR;
        }
        if (plan.status < 0) {
            plan.candidates.clear();
            return plan;
        }
    }
    return plan;
}

// ---- looking at outputs ----

// The values of one record in the formats it marks, without pointers;
// edges by position and contrast only, so that plain and extended records
// compare.
template <class Record>
Bytes contentOf(const Record& record) {
    Bytes bytes;
    append(bytes, record.numScores);
    append(bytes, record.formats);
    append(bytes, record.numEdges);
    // One format's values: position, score, method scores and edges.
    const auto values = [&](auto position, auto score, const auto* scores, const auto* edges) {
        append(bytes, position);
        append(bytes, score);
        for (int32_t m = 0; scores != nullptr && m < record.numScores; ++m) {
            append(bytes, scores[m]);
        }
        for (int32_t e = 0; e < record.numEdges; ++e) {
            append(bytes, edges[e].position);
            append(bytes, edges[e].contrast);
        }
    };
    if ((record.formats & CCLP_FORMAT_DOUBLE) != 0) {
        values(record.position, record.score, record.scores, record.edges);
    }
    if ((record.formats & CCLP_FORMAT_FIXED) != 0) {
        values(record.positionFixed, record.scoreFixed, record.scoresFixed, record.edgesFixed);
    }
    return bytes;
}

// The ranking key of a result in the run's own format.
struct Key {
    double score;
    double position;
};

template <class Record>
Key keyOf(const Record& record, bool doubleRun) {
    if (doubleRun) return Key{record.score, record.position};
    return Key{static_cast<double>(record.scoreFixed), static_cast<double>(record.positionFixed)};
}

// a ranks strictly before b: higher score, then lower position, a NaN
// position after every number.
bool ranksBefore(const Key& a, const Key& b) {
    if (a.score != b.score) return a.score > b.score;
    if (std::isnan(a.position) || std::isnan(b.position)) {
        return !std::isnan(a.position) && std::isnan(b.position);
    }
    return a.position < b.position;
}

template <class Edge>
bool sameEdge(const Edge& a, const Edge& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// One record of a successful run against the candidate it must hold.
template <class Form>
void checkRecord(const typename Form::Record& record, const typename Form::Input& input,
                 const cclp_scoreParams& params, const Plan& plan,
                 const CandidateEdges& candidate) {
    const int32_t numMethods = params.numScoreMethods;
    const int32_t numEdges = plan.pairs ? 2 : 1;
    FUZZ_CHECK(record.numScores == numMethods);
    FUZZ_CHECK(record.numEdges == numEdges);
    FUZZ_CHECK(record.formats == input.formats);
    const bool withDouble = plan.doubleRun;
    const bool withFixed = (input.formats & CCLP_FORMAT_FIXED) != 0;
    FUZZ_CHECK((record.edges != nullptr) == withDouble && (record.scores != nullptr) == withDouble);
    FUZZ_CHECK((record.edgesFixed != nullptr) == withFixed);
    FUZZ_CHECK((record.scoresFixed != nullptr) == withFixed);
    // A run writes only the fields of the formats it marks.
    if (!withDouble) FUZZ_CHECK(record.position == 0.0 && record.score == 0.0);
    if (!withFixed) FUZZ_CHECK(record.positionFixed == 0 && record.scoreFixed == 0);
    const int32_t at[2] = {candidate.first, candidate.second};
    if (withDouble) {
        for (int32_t e = 0; e < numEdges; ++e) {
            FUZZ_CHECK(sameEdge(record.edges[e], input.edges[at[e]]));
        }
        const double first = input.edges[at[0]].position;
        const double position = plan.pairs ? (first + input.edges[at[1]].position) / 2.0 : first;
        FUZZ_CHECK(sameBits(record.position, position));
        // A ramp value is the formula's own, which may round past a level
        // (far past, for abscissae of large magnitude), but it is finite.
        FUZZ_CHECK(std::isfinite(record.score) && record.score >= 0.0);
        bool anyZero = false;
        for (int32_t m = 0; m < numMethods; ++m) {
            FUZZ_CHECK(std::isfinite(record.scores[m]));
            anyZero = anyZero || record.scores[m] <= 0.0;
        }
        if (anyZero) FUZZ_CHECK(record.score == 0.0);
        if (withFixed) {
            FUZZ_CHECK(record.positionFixed == referenceRound256(record.position));
            FUZZ_CHECK(record.scoreFixed == referenceRound256(record.score));
            for (int32_t m = 0; m < numMethods; ++m) {
                FUZZ_CHECK(record.scoresFixed[m] == referenceRound256(record.scores[m]));
            }
        }
    } else {
        const auto* edges = input.edgesFixed;
        // The sum of a pair's positions saturates at the 32-bit limits.
        const int64_t sum = plan.pairs ? static_cast<int64_t>(edges[at[0]].position) +
                                             edges[at[1]].position
                                       : 0;
        const int32_t position =
            plan.pairs ? static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX)) >> 1
                       : edges[at[0]].position;
        FUZZ_CHECK(record.positionFixed == position);
        FUZZ_CHECK(record.scoreFixed >= 0);
        bool anyZero = false;
        for (int32_t m = 0; m < numMethods; ++m) anyZero = anyZero || record.scoresFixed[m] <= 0;
        if (anyZero) FUZZ_CHECK(record.scoreFixed == 0);
    }
    if (withFixed) {
        for (int32_t e = 0; e < numEdges; ++e) {
            FUZZ_CHECK(sameEdge(record.edgesFixed[e], input.edgesFixed[at[e]]));
        }
    }
}

// ---- the scenario ----

template <class Form>
class Scenario {
public:
    Scenario(const Input& input, const cclp_scoreParams& params)
        : input_(input.as<Form>()), params_(params), plan_(planRun<Form>(input_, params_)) {}

    // Every candidate in the order of forming, from a run that neither sorts
    // nor limits; checked candidate by candidate against the plan.
    void runReference() {
        ParamsCopy all(params_);
        FUZZ_CHECK(cclp_scoreParams_setSortByScore(&all.value, 0) == 0);
        FUZZ_CHECK(cclp_scoreParams_setMaxNumResults(&all.value, INT32_MAX) == 0);
        const int32_t status = Form::run(input_, all.value, reference_.value);
        FUZZ_CHECK(status == plan_.status);
        if (status < 0) return;
        FUZZ_CHECK(reference_.value.numResults == static_cast<int32_t>(plan_.candidates.size()));
        for (int32_t r = 0; r < reference_.value.numResults; ++r) {
            checkRecord<Form>(reference_.value.results[r], input_, params_, plan_,
                              plan_.candidates[static_cast<size_t>(r)]);
        }
    }

    // The same run in the other record family gives the same results.
    template <class Other>
    void compareWith(const Scenario<Other>& other) const {
        FUZZ_CHECK(other.plan().status == plan_.status);
        if (plan_.status < 0) return;
        const auto& mine = reference_.value;
        const auto& theirs = other.reference().value;
        FUZZ_CHECK(mine.numResults == theirs.numResults);
        for (int32_t r = 0; r < mine.numResults; ++r) {
            FUZZ_CHECK(contentOf(mine.results[r]) == contentOf(theirs.results[r]));
        }
    }

    // A run into `output` under the given failure, checked against the
    // reference run.
    void run(typename Form::Set& output, const cclp_scoreParams& params,
             const Injection& injection) {
        const Bytes inputBefore = describeInput();
        const Bytes paramsBefore = describeParams(params);
        const Bytes outputBefore = cclp::fuzz::describeSet(output);
        int32_t status;
        {
            cclp::fuzz::Armed armed(injection);
            status = Form::run(input_, params, output);
        }
        FUZZ_CHECK(describeInput() == inputBefore);
        FUZZ_CHECK(describeParams(params) == paramsBefore);
        checkStatus(status, injection);
        if (status == CSYS_STATUS_OUT_OF_MEMORY) {
            // The working block comes first: without it the output is left
            // as it was; a failure in sizing or writing leaves no records.
            FUZZ_CHECK(cclp::fuzz::describeSet(output) == outputBefore || output.numResults == 0);
            return;
        }
        if (status < 0) {
            FUZZ_CHECK(cclp::fuzz::describeSet(output) == outputBefore);
            return;
        }
        checkKept(output, params);
    }

    // Sorted runs that keep none, a quarter, half, all but one and more
    // than all of the candidates, so that the buffer of kept candidates
    // narrows at several sizes; a limit of 0, which only a record written by
    // hand holds, keeps nothing.
    void runAtDerivedLimits() {
        const int32_t n = reference_.value.numResults;
        if (plan_.status < 0) return;
        for (const int32_t limit : {0, n / 4, n / 2, std::max(n - 1, 0), n + 1}) {
            ParamsCopy settings(params_);
            FUZZ_CHECK(cclp_scoreParams_setSortByScore(&settings.value, 1) == 0);
            settings.value.maxNumResults = limit;
            OwnedOutput<Form> output;
            run(output.value, settings.value, Injection{});
        }
    }

    const Plan& plan() const { return plan_; }
    const OwnedOutput<Form>& reference() const { return reference_; }

private:
    void checkStatus(int32_t status, const Injection& injection) const {
        if (status == plan_.status) return;
        const bool canFail = !plan_.refusedUpFront;
        if (injection.allocation() && canFail) {
            FUZZ_CHECK_STATUS(status, CSYS_STATUS_OUT_OF_MEMORY);
        } else if (injection.attention() && canFail &&
                   plan_.status != CCLP_STATUS_ZERO_PAIR_WIDTH) {
            FUZZ_CHECK_STATUS(status, CSYS_STATUS_ATTENTION);
        } else {
            FUZZ_CHECK_STATUS(status, plan_.status);
        }
    }

    // A successful run keeps the best min(candidates, maxNumResults) of the
    // reference's records, or its first ones when it does not sort; among
    // candidates equal in score and position the one formed first ranks first.
    void checkKept(const typename Form::Set& output, const cclp_scoreParams& params) const {
        const auto& all = reference_.value;
        const int32_t expected = std::min(all.numResults, params.maxNumResults);
        FUZZ_CHECK(output.numResults == expected);
        std::vector<int32_t> order(static_cast<size_t>(all.numResults));
        for (int32_t r = 0; r < all.numResults; ++r) order[static_cast<size_t>(r)] = r;
        if (params.sortByScore == 1) {
            std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
                return ranksBefore(keyOf(all.results[a], plan_.doubleRun),
                                   keyOf(all.results[b], plan_.doubleRun));
            });
        }
        for (int32_t r = 0; r < expected; ++r) {
            const auto& wanted = all.results[order[static_cast<size_t>(r)]];
            FUZZ_CHECK(contentOf(output.results[r]) == contentOf(wanted));
        }
    }

    Bytes describeInput() const {
        Bytes bytes = bytesOf(&input_);
        return cclp::fuzz::append(bytes, {bytesOf(input_.edges, input_.numEdges),
                                          bytesOf(input_.edgesFixed, input_.numEdges)});
    }

    static Bytes describeParams(const cclp_scoreParams& params) {
        Bytes bytes = bytesOf(&params);
        const int32_t methods = params.numScoreMethods;
        return cclp::fuzz::append(bytes, {bytesOf(params.desiredEdges, params.numDesiredEdges),
                                          bytesOf(params.scoreMethods, methods),
                                          bytesOf(params.scoreMethodsFixed, methods)});
    }

    const typename Form::Input& input_;
    const cclp_scoreParams& params_;
    Plan plan_;
    OwnedOutput<Form> reference_;
};

bool readsExtras(const cclp_scoreParams& params) {
    for (int32_t m = 0; m < params.numScoreMethods; ++m) {
        const int32_t method = params.scoreMethods[m].method;
        if (cclp::isKnownMethod(method) && cclp::methodTraits(method).extendedOnly) return true;
    }
    return false;
}

// Runs into one output once or twice (the second time over what the first
// left), each time with its own settings and injected failure.
template <class Form>
void fuzzRuns(FuzzedDataProvider& in, Scenario<Form>& scenario, const cclp_scoreParams& params) {
    OwnedOutput<Form> output;
    if (in.ConsumeBool()) {
        FUZZ_CHECK(Form::assign(&output.value, &scenario.reference().value) == 0);
    }
    for (int round = in.ConsumeIntegralInRange<int>(1, 2); round > 0; --round) {
        ParamsCopy settings(params);
        const int32_t maxNumResults = cclp::fuzz::readInt(in, 1, 8);
        if (maxNumResults > 0) {
            FUZZ_CHECK(cclp_scoreParams_setMaxNumResults(&settings.value, maxNumResults) == 0);
        }
        const int32_t sortByScore = in.ConsumeIntegralInRange<int32_t>(0, 1);
        FUZZ_CHECK(cclp_scoreParams_setSortByScore(&settings.value, sortByScore) == 0);
        scenario.run(output.value, settings.value, Injection::read(in));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    cclp::fuzz::NoLeaks noLeaks;
    OwnedParams params;
    readParams(in, params.value);
    Input input;
    input.read(in, params.value.numDesiredEdges == 2);
    Scenario<PlainForm> plain(input, params.value);
    Scenario<ExtendedForm> extended(input, params.value);
    plain.runReference();
    extended.runReference();
    if (!readsExtras(params.value)) plain.compareWith(extended);
    if (in.ConsumeBool()) {
        fuzzRuns(in, extended, params.value);
    } else {
        fuzzRuns(in, plain, params.value);
    }
    plain.runAtDerivedLimits();
    extended.runAtDerivedLimits();
    if (in.remaining_bytes() > 0) cclp::fuzz::checkFormatsAgree(in);
    return 0;
}
