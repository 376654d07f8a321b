// The plain and the extended form of the scored results, as the fuzz targets
// drive them, and the comparisons of result records and sets they share.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_result_set_ex.h"
#include "cclp_score/cclp_results.h"
#include "cclp_score/cclp_run.h"
#include "fuzz/fuzz_support.hpp"

namespace cclp::fuzz {

#define CCLP_FUZZ_FORM_(Name, InputType, SetType, RecordType, extended, runScore, set, record) \
    struct Name {                                                                              \
        using Input = InputType;                                                               \
        using Set = SetType;                                                                   \
        using Record = RecordType;                                                             \
        static constexpr bool kExtended = extended;                                            \
        static int32_t run(const Input& input, const cclp_scoreParams& params, Set& output) {  \
            return runScore(&input, &params, &output);                                         \
        }                                                                                      \
        static int32_t construct(Set* s) { return set##_construct(s); }                        \
        static int32_t destruct(Set* s) { return set##_destruct(s); }                          \
        static int32_t assign(Set* s, const Set* from) { return set##_assign(s, from); }       \
        static int32_t constructCopy(Set* s, const Set* from) {                                \
            return set##_constructCopy(s, from);                                               \
        }                                                                                      \
        static int32_t constructRecord(Record* r) { return record##_construct(r); }            \
        static int32_t destructRecord(Record* r) { return record##_destruct(r); }              \
        static int32_t assignRecord(Record* r, const Record* from) {                           \
            return record##_assign(r, from);                                                   \
        }                                                                                      \
        static int32_t constructCopyRecord(Record* r, const Record* from) {                    \
            return record##_constructCopy(r, from);                                            \
        }                                                                                      \
    };
CCLP_FUZZ_FORM_(PlainForm, cclp_resultSet, cclp_scoreResultSet, cclp_scoreOneResult, false,
                cclp_runScore, cclp_scoreResultSet, cclp_scoreOneResult)
CCLP_FUZZ_FORM_(ExtendedForm, cclp_resultSetEx, cclp_scoreResultSetEx, cclp_scoreOneResultEx,
                true, cclp_runScoreEx, cclp_scoreResultSetEx, cclp_scoreOneResultEx)
#undef CCLP_FUZZ_FORM_

// A set of the form, destructed at scope exit.
template <class Form>
using OwnedSet = Owned<typename Form::Set, Form::construct, Form::destruct>;

// Everything a record holds, pointers included.
template <class Record>
Bytes describeRecord(const Record& record) {
    Bytes bytes = bytesOf(&record);
    return append(bytes, {bytesOf(record.scores, record.numScores),
                          bytesOf(record.scoresFixed, record.numScores),
                          bytesOf(record.edges, record.numEdges),
                          bytesOf(record.edgesFixed, record.numEdges)});
}

// Everything a set holds, pointers included: equal bytes mean the set was
// not touched.
template <class Set>
Bytes describeSet(const Set& set) {
    Bytes bytes = bytesOf(&set);
    if (set.results == nullptr) return bytes;
    for (int32_t r = 0; r < set.numResults; ++r) append(bytes, {describeRecord(set.results[r])});
    return bytes;
}

}  // namespace cclp::fuzz
