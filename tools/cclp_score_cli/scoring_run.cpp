#include "cclp_score_cli/scoring_run.hpp"

#include "csys_runtime.h"
#include "cclp_score_cli/fixed_point.hpp"
#include "cclp_score_cli/input_error.hpp"

namespace cclp_cli {
namespace {

// A library record for the length of a scope: constructed on entry,
// destructed on exit. Life cycles are static functions rather than function
// pointers, since the address of an imported function is no constant on
// every platform.
template <class LifeCycle>
class Owned {
public:
    using Record = typename LifeCycle::Record;

    explicit Owned(const char* what) {
        const int32_t status = LifeCycle::construct(&record_);
        if (status < 0) {
            throw RunError(std::string("cannot construct ") + what + ": " + describeStatus(status),
                           status);
        }
    }
    ~Owned() { LifeCycle::destruct(&record_); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Record& operator*() { return record_; }
    Record* operator->() { return &record_; }

private:
    Record record_{};
};

#define CCLP_CLI_LIFE_CYCLE(name, type)                                   \
    struct name {                                                         \
        using Record = type;                                              \
        static int32_t construct(type* r) { return type##_construct(r); } \
        static int32_t destruct(type* r) { return type##_destruct(r); }   \
    };
CCLP_CLI_LIFE_CYCLE(ResultSetLife, cclp_resultSet)
CCLP_CLI_LIFE_CYCLE(ResultSetExLife, cclp_resultSetEx)
CCLP_CLI_LIFE_CYCLE(ScoreResultSetLife, cclp_scoreResultSet)
CCLP_CLI_LIFE_CYCLE(ScoreResultSetExLife, cclp_scoreResultSetEx)
#undef CCLP_CLI_LIFE_CYCLE

struct PlainForm {
    using Input = Owned<ResultSetLife>;
    using Output = Owned<ScoreResultSetLife>;
    using EdgeRecord = cclp_edge;
    using EdgeFixedRecord = cclp_edgeFixed;
    static constexpr const char* kEntryPoint = "cclp_runScore";
    static int32_t run(const cclp_resultSet* input, const cclp_scoreParams* params,
                       cclp_scoreResultSet* output) {
        return cclp_runScore(input, params, output);
    }
};

struct ExtendedForm {
    using Input = Owned<ResultSetExLife>;
    using Output = Owned<ScoreResultSetExLife>;
    using EdgeRecord = cclp_edgeEx;
    using EdgeFixedRecord = cclp_edgeFixedEx;
    static constexpr const char* kEntryPoint = "cclp_runScoreEx";
    static int32_t run(const cclp_resultSetEx* input, const cclp_scoreParams* params,
                       cclp_scoreResultSetEx* output) {
        return cclp_runScoreEx(input, params, output);
    }
};

// One edge copied between the tool's and the library's records; the extra
// values go along where both sides have them.
template <class To, class From>
To copyEdge(const From& from) {
    To to{};
    to.position = from.position;
    to.contrast = from.contrast;
    if constexpr (requires { to.extra1; from.extra1; }) {
        to.extra1 = from.extra1;
        to.extra2 = from.extra2;
        to.extra3 = from.extra3;
    }
    return to;
}

// The records own their edge arrays and free them through the runtime, so
// the arrays are allocated through it too.
template <class Record, class Source>
void fillEdges(Record*& field, const std::vector<Source>& edges) {
    if (edges.empty()) return;
    std::vector<Record> records;
    records.reserve(edges.size());
    for (const Source& edge : edges) records.push_back(copyEdge<Record>(edge));
    void* block = nullptr;
    const int32_t status =
        csys_memory_clone_internal(records.size() * sizeof(Record), records.data(), &block);
    if (status < 0) {
        throw RunError("cannot allocate the input edges: " + describeStatus(status), status);
    }
    field = static_cast<Record*>(block);
}

struct InputEdges {
    const std::vector<Edge>& values;
    std::vector<EdgeFixed> fixed;
};

// The first input edge at or after `from` equal to `copy` in the format
// that the result carries; a pair's second edge follows its first.
std::size_t findEdge(const InputEdges& input, const ResultEdge& copy, uint32_t formats,
                     std::size_t from) {
    const bool useDouble = (formats & CCLP_FORMAT_DOUBLE) != 0;
    for (std::size_t i = from; i < input.values.size(); ++i) {
        if (useDouble ? input.values[i] == copy.value : input.fixed[i] == copy.fixed) return i;
    }
    return from;
}

template <class Result>
ScoredResult collect(const Result& record, const InputEdges& input) {
    ScoredResult result;
    result.formats = record.formats;
    const bool hasDouble = (record.formats & CCLP_FORMAT_DOUBLE) != 0;
    const bool hasFixed = (record.formats & CCLP_FORMAT_FIXED) != 0;
    const auto numScores = static_cast<std::size_t>(record.numScores);
    if (hasDouble) {
        result.position = record.position;
        result.score = record.score;
        result.scores.assign(record.scores, record.scores + numScores);
    }
    if (hasFixed) {
        result.positionFixed = record.positionFixed;
        result.scoreFixed = record.scoreFixed;
        result.scoresFixed.assign(record.scoresFixed, record.scoresFixed + numScores);
    }
    std::size_t from = 0;
    for (int32_t k = 0; k < record.numEdges; ++k) {
        ResultEdge edge;
        if (hasDouble) edge.value = copyEdge<Edge>(record.edges[k]);
        if (hasFixed) edge.fixed = copyEdge<EdgeFixed>(record.edgesFixed[k]);
        edge.index = findEdge(input, edge, record.formats, from);
        from = edge.index + 1;
        result.edges.push_back(edge);
    }
    return result;
}

template <class Form>
RunOutcome runWith(const Job& job, const ScoreParams& params) {
    InputEdges edges{job.edges, {}};
    for (const Edge& edge : job.edges) edges.fixed.push_back(toFixed(edge));
    typename Form::Input input("the caliper result set");
    input->numEdges = static_cast<int32_t>(job.edges.size());
    input->formats = job.formats;
    if (job.formats & CCLP_FORMAT_DOUBLE) {
        fillEdges<typename Form::EdgeRecord>(input->edges, edges.values);
    }
    if (job.formats & CCLP_FORMAT_FIXED) {
        fillEdges<typename Form::EdgeFixedRecord>(input->edgesFixed, edges.fixed);
    }
    typename Form::Output output("the scored result set");
    const int32_t status = Form::run(&*input, params.get(), &*output);
    if (status < 0) {
        throw RunError(std::string(Form::kEntryPoint) + " failed: " + describeStatus(status),
                       status);
    }
    RunOutcome outcome{Form::kEntryPoint, job.formats, {}};
    for (int32_t r = 0; r < output->numResults; ++r) {
        outcome.results.push_back(collect(output->results[r], edges));
    }
    return outcome;
}

}  // namespace

RunOutcome runJob(const Job& job, const ScoreParams& params) {
    return job.needsExtendedRun() ? runWith<ExtendedForm>(job, params)
                                  : runWith<PlainForm>(job, params);
}

}  // namespace cclp_cli
